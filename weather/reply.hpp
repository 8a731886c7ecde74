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
