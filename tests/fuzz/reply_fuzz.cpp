// The service's answer, from status and body to a reading or the reason there is none.
// Input: a first line with the status ("200"), "-" and the system's error code ("-12007") for no
// answer, or "T" for a time-out, then the body; an input without a line break is a body sent with
// 200.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "platform/text.hpp"
#include "property.hpp"
#include "weather/reply.hpp"
#include "weather/temperature.hpp"

namespace wethrix {
namespace {

using fuzz::Check;

HttpReply ReplyFrom(std::string_view input) {
  const auto line_end = input.find('\n');
  if (line_end == std::string_view::npos) return {true, false, 200, std::string(input)};
  const std::string_view head = input.substr(0, line_end);
  HttpReply reply{!head.starts_with('-') && head != "T", head == "T", 0,
                  std::string(input.substr(line_end + 1))};
  if (reply.reached) static_cast<void>(std::from_chars(head.data(), head.data() + head.size(), reply.status));
  if (head.starts_with('-')) {
    static_cast<void>(std::from_chars(head.data() + 1, head.data() + head.size(), reply.error));
  }
  return reply;
}

bool IsKnownReason(std::string_view reason) {
  constexpr std::array kReasons{no_reading::kUnreachable,
                                no_reading::kTimedOut,
                                no_reading::kUnknownPlace,
                                no_reading::kSlowDown,
                                no_reading::kServiceError,
                                no_reading::kNoTemperature,
                                no_reading::kOffline,
                                no_reading::kProxySignIn,
                                no_reading::kProxyUnreachable,
                                no_reading::kCertificateForAnotherName,
                                no_reading::kCertificateOutOfDate,
                                no_reading::kCertificateUntrusted,
                                no_reading::kCertificateRevoked,
                                no_reading::kCertificateUnchecked,
                                no_reading::kCertificateInvalid,
                                no_reading::kNoSecureConnection};
  return std::ranges::find(kReasons, reason) != kReasons.end();
}

// The service's refusal, found in any letter case, whatever the status.
bool HoldsRefusal(std::string_view body) {
  const auto same = [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; };
  return !std::ranges::search(body, std::string_view("invalid api key"), same).empty();
}

// The whole degrees are the reading's, rounded: never further from it than a half.
void CheckDegrees(double kelvin) {
  constexpr double kRoundingSlack = 0.5 + 1e-6;
  const double celsius = kelvin - kKelvinOffset;
  const double fahrenheit = celsius * 1.8 + 32;
  const double whole_celsius = WholeDegrees(kelvin, Unit::kCelsius);
  const double whole_fahrenheit = WholeDegrees(kelvin, Unit::kFahrenheit);
  Check(whole_celsius == std::floor(whole_celsius) && std::fabs(whole_celsius - celsius) <= kRoundingSlack,
        "degrees Celsius are the reading rounded");
  Check(whole_fahrenheit == std::floor(whole_fahrenheit) &&
            std::fabs(whole_fahrenheit - fahrenheit) <= kRoundingSlack,
        "degrees Fahrenheit are the reading rounded");
}

void CheckTemperature(const HttpReply& reply, const ReplyReading& reading) {
  Check(reply.reached && !reply.timed_out && reply.status >= 200 && reply.status < 300,
        "only a successful answer gives a temperature");
  Check(reading.kelvin >= 0 && reading.kelvin < 1000, "the temperature lies between 0 and 1000 K");
  Check(Trim(reading.name, " ") == reading.name, "the place name has no blanks around it");
  Check(Utf16ToUtf8(Utf8ToUtf16(reading.name)) == reading.name, "the place name is whole UTF-8");
  CheckDegrees(reading.kelvin);
}

}  // namespace
}  // namespace wethrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wethrix;
  const HttpReply reply = ReplyFrom(fuzz::Text(data, size));
  const ReplyReading reading = ReadReply(reply);
  Check((reading.kind == ReplyKind::kRefusedKey) == HoldsRefusal(reply.body),
        "a refused key is told exactly when the body says so");
  Check((reading.kind == ReplyKind::kNoReading) == !reading.reason.empty(),
        "a reason is given exactly when there is no reading");
  if (reading.kind == ReplyKind::kNoReading) {
    Check(IsKnownReason(reading.reason), "the reason is a known one");
  }
  if (reading.kind == ReplyKind::kTemperature) {
    CheckTemperature(reply, reading);
  } else {
    Check(reading.name.empty(), "only a temperature comes with a place name");
  }
  return 0;
}
