#include "weather/reply.hpp"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/text.hpp"

namespace wethrix {
namespace {

constexpr double kHighestKelvin = 1000;
constexpr int kStatusNotFound = 404;
constexpr int kStatusProxySignIn = 407;
constexpr int kStatusTooManyRequests = 429;

ReplyReading NoReading(std::string_view reason) {
  return {ReplyKind::kNoReading, 0, {}, reason};
}

std::string_view ReasonForStatus(int status) {
  if (status == kStatusNotFound) return no_reading::kUnknownPlace;
  if (status == kStatusTooManyRequests) return no_reading::kSlowDown;
  // Only a proxy asks for its own sign-in; WinINet hands the answer over unless it can sign in
  // with the user's Windows account by itself.
  if (status == kStatusProxySignIn) return no_reading::kProxySignIn;
  return no_reading::kServiceError;
}

// What the system said of a request that reached nobody. A certificate that fails is the
// network's doing as often as the service's: a sign-in page or a filter answers under its own
// name, and a wrong clock makes every certificate look out of date.
std::string_view ReasonForNoAnswer(const HttpReply& reply) {
  if (reply.timed_out) return no_reading::kTimedOut;
  switch (reply.error) {
    case http_error::kNameNotResolved:
      return reply.via_proxy ? no_reading::kProxyUnreachable : no_reading::kOffline;
    case http_error::kCannotConnect:
      return reply.via_proxy ? no_reading::kProxyUnreachable : no_reading::kUnreachable;
    case http_error::kProxyUnreachable:
      return no_reading::kProxyUnreachable;
    case http_error::kDisconnected:
      return no_reading::kOffline;
    case http_error::kCertificateNameInvalid:
      return no_reading::kCertificateForAnotherName;
    case http_error::kCertificateDateInvalid:
      return no_reading::kCertificateOutOfDate;
    case http_error::kUnknownAuthority:
      return no_reading::kCertificateUntrusted;
    case http_error::kCertificateRevoked:
      return no_reading::kCertificateRevoked;
    case http_error::kCertificateNoRevocation:
    case http_error::kCertificateRevocationFailed:
      return no_reading::kCertificateUnchecked;
    case http_error::kCertificateInvalid:
    case http_error::kCertificateErrors:
      return no_reading::kCertificateInvalid;
    case http_error::kSecureChannel:
      return no_reading::kNoSecureConnection;
    default:
      return no_reading::kUnreachable;
  }
}

bool IsSuccess(int status) {
  return status >= 200 && status < 300;
}

std::string PlaceName(const nlohmann::json& document) {
  const auto name = document.find("name");
  if (name == document.end() || !name->is_string()) return {};
  return std::string(Trim(name->get_ref<const std::string&>(), " "));
}

ReplyReading ReadDocument(const nlohmann::json& document) {
  if (!document.is_object()) return NoReading(no_reading::kNoTemperature);
  const auto main = document.find("main");
  if (main == document.end() || !main->is_object()) return NoReading(no_reading::kNoTemperature);
  const auto temp = main->find("temp");
  if (temp == main->end() || !temp->is_number()) return NoReading(no_reading::kNoTemperature);
  const double kelvin = temp->get<double>();
  if (std::isnan(kelvin) || kelvin < 0 || kelvin >= kHighestKelvin) {
    return NoReading(no_reading::kNoTemperature);
  }
  return {ReplyKind::kTemperature, kelvin, PlaceName(document), {}};
}

}  // namespace

bool RefusesKey(std::string_view body) {
  return LowerAscii(body).find("invalid api key") != std::string::npos;
}

ReplyReading ReadReply(const HttpReply& reply) {
  if (RefusesKey(reply.body)) return {ReplyKind::kRefusedKey, 0, {}, {}};
  if (reply.timed_out || !reply.reached) return NoReading(ReasonForNoAnswer(reply));
  if (!IsSuccess(reply.status)) return NoReading(ReasonForStatus(reply.status));
  return ReadDocument(nlohmann::json::parse(reply.body, nullptr, false));
}

}  // namespace wethrix
