#pragma once
// What the service's answer means: a temperature, a refused key, or no usable reading and why.
#include <string>
#include <string_view>

#include "platform/http_transfer.hpp"

namespace wethrix {

// Short reasons for a refresh without a temperature, written to end a sentence.
namespace no_reading {
inline constexpr std::string_view kUnreachable = "the weather service could not be reached";
inline constexpr std::string_view kTimedOut = "the weather service did not answer in time";
inline constexpr std::string_view kUnknownPlace = "the weather service does not know this place";
inline constexpr std::string_view kSlowDown = "the weather service asks to wait before asking again";
inline constexpr std::string_view kServiceError = "the weather service reported an error";
inline constexpr std::string_view kNoTemperature = "the weather service sent no usable temperature";
inline constexpr std::string_view kPlaceTooLong = "the place name is too long for the weather service";
inline constexpr std::string_view kBusy = "an earlier request to the weather service is still running";
// Each of these names what the user can act on: the network, the proxy, the certificate, the clock.
inline constexpr std::string_view kOffline = "this computer seems to be offline";
inline constexpr std::string_view kProxySignIn = "the proxy server asks for a sign-in";
inline constexpr std::string_view kProxyUnreachable = "the proxy server could not be reached";
inline constexpr std::string_view kCertificateForAnotherName =
    "the network answered with a certificate for another name (a sign-in page or a filter)";
inline constexpr std::string_view kCertificateOutOfDate =
    "the weather service's certificate has expired or is not valid yet; check this computer's date and time";
inline constexpr std::string_view kCertificateUntrusted =
    "the weather service's certificate is from an authority this computer does not trust";
inline constexpr std::string_view kCertificateRevoked = "the weather service's certificate has been revoked";
inline constexpr std::string_view kCertificateUnchecked =
    "this computer could not check whether the weather service's certificate was revoked";
inline constexpr std::string_view kCertificateInvalid = "the weather service's certificate is not valid";
inline constexpr std::string_view kNoSecureConnection =
    "no secure connection to the weather service could be made";
}  // namespace no_reading

enum class ReplyKind { kTemperature, kRefusedKey, kNoReading };

struct ReplyReading {
  ReplyKind kind = ReplyKind::kNoReading;
  double kelvin = 0;        // with kTemperature
  std::string name;         // the service's name for the place; empty when it gave none
  std::string_view reason;  // with kNoReading
};

// True when the body holds "Invalid API key" in any letter case, whatever the status.
[[nodiscard]] bool RefusesKey(std::string_view body);

// Reads main.temp (a number of kelvin between 0 and 1000) and name from a JSON body.
[[nodiscard]] ReplyReading ReadReply(const HttpReply& reply);

}  // namespace wethrix
