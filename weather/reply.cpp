#include "weather/reply.hpp"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/text.hpp"

namespace wethrix {
namespace {

constexpr double kHighestKelvin = 1000;
constexpr int kStatusNotFound = 404;
constexpr int kStatusTooManyRequests = 429;

ReplyReading NoReading(std::string_view reason) {
  return {ReplyKind::kNoReading, 0, {}, reason};
}

std::string_view ReasonForStatus(int status) {
  if (status == kStatusNotFound) return no_reading::kUnknownPlace;
  if (status == kStatusTooManyRequests) return no_reading::kSlowDown;
  return no_reading::kServiceError;
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
  if (reply.timed_out) return NoReading(no_reading::kTimedOut);
  if (!reply.reached) return NoReading(no_reading::kUnreachable);
  if (!IsSuccess(reply.status)) return NoReading(ReasonForStatus(reply.status));
  return ReadDocument(nlohmann::json::parse(reply.body, nullptr, false));
}

}  // namespace wethrix
