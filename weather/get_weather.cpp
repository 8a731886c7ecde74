#include "weather/get_weather.hpp"

#include <limits>

#include "app/error_trap.hpp"
#include "platform/text.hpp"
#include "weather/reply.hpp"
#include "weather/request.hpp"

namespace wethrix {
namespace {

// How long a transfer past its time is still given to end when it cannot be abandoned.
constexpr std::chrono::seconds kWaitGrace{5};
// A key pasted from a web page or a mail often brings these along; no key holds them.
constexpr std::string_view kKeyBlanks = " \t\r\n";

enum class RequestStart { kFailed, kBusy, kTooLong, kBegun };

RequestStart BeginRequest(const WeatherQuery& query, WeatherServices& services) {
  const std::string url =
      WeatherRequestUrl(ApiBase(services.environment), query.location, Trim(query.api_key, kKeyBlanks));
  if (url.size() > kLongestRequestUrl) return RequestStart::kTooLong;
  return services.transfer.Begin(url, services.timeouts) ? RequestStart::kBegun : RequestStart::kBusy;
}

HttpReply TimedOut() {
  return {false, true, 0, {}};
}

bool Withdrawn(const WeatherServices& services) {
  return services.withdrawn != nullptr && services.withdrawn->Done();
}

// The finished transfer's reply, or a time-out when it does not end in time. A transfer past its
// total time, or withdrawn, is abandoned, so that the next request need not wait for it whatever
// it still does inside the system. Only while an earlier abandoned one still runs is it left in
// flight, and it is set aside the moment that one ends; the grace bounds the wait of the
// user-interface thread.
HttpReply AwaitReply(WeatherServices& services) {
  const auto deadline = services.clock.Now() + services.timeouts.total;
  while (services.transfer.StillExecuting()) {
    services.events.DoEventsUntil(services.transfer.Finished());
    const auto now = services.clock.Now();
    // Tried at every pass once due: the earlier abandoned transfer may have ended meanwhile.
    if ((now >= deadline || Withdrawn(services)) && services.transfer.Abandon()) return TimedOut();
    if (now >= deadline + kWaitGrace) return TimedOut();
    if (services.transfer.StillExecuting()) {
      services.events.WaitFor(&services.transfer.Finished(), services.poll_interval);
    }
  }
  return services.transfer.TakeReply();
}

WeatherResult NoReading(const WeatherQuery& query, std::string_view reason) {
  return {std::numeric_limits<double>::quiet_NaN(), query.location, std::string(reason)};
}

WeatherResult Interpret(const WeatherQuery& query, const HttpReply& reply) {
  const ReplyReading reading = ReadReply(reply);
  switch (reading.kind) {
    case ReplyKind::kRefusedKey:
      return {kRefusedKeyTemperature, query.location, {}};
    case ReplyKind::kTemperature:
      return {
          WholeDegrees(reading.kelvin, query.unit), reading.name.empty() ? query.location : reading.name, {}};
    case ReplyKind::kNoReading:
      break;
  }
  return NoReading(query, reading.reason);
}

void TellUser(const WeatherQuery& query, const WeatherResult& result, WeatherServices& services) {
  if (query.silent) return;
  if (result.temperature == kRefusedKeyTemperature) {
    services.dialogs.MessageBox(RefusedKeyMessage(query.push_button5_caption), services.application_title,
                                BoxIcon::kNone);
  } else if (!result.reason.empty()) {
    services.dialogs.MessageBox(NoReadingMessage(query.location, result.reason), services.application_title,
                                BoxIcon::kNone);
  }
}

}  // namespace

std::string RefusedKeyMessage(std::string_view push_button5_caption) {
  return "Your API Key is not correct. Please click on the " + std::string(push_button5_caption) +
         " button to learn more.";
}

std::string NoReadingMessage(std::string_view location, std::string_view reason) {
  return "There is no temperature for " + ShortenForDisplay(location, kPlaceNameShown) +
         " at the moment: " + std::string(reason) + ".";
}

WeatherResult getWeather(const WeatherQuery& query, WeatherServices& services) {
  ErrorTrap trap{services.dialogs, kGetWeatherTag};
  WeatherResult result = NoReading(query, no_reading::kUnreachable);
  RequestStart start = RequestStart::kFailed;
  trap.Step(100, [&] { start = BeginRequest(query, services); });
  switch (start) {
    case RequestStart::kFailed:
      return result;
    case RequestStart::kBusy:
      return NoReading(query, no_reading::kBusy);
    case RequestStart::kTooLong:
      result = NoReading(query, no_reading::kPlaceTooLong);
      break;
    case RequestStart::kBegun: {
      HttpReply reply;
      trap.Step(102, [&] { reply = AwaitReply(services); });
      if (Withdrawn(services)) {
        result.asked = true;
        result.withdrawn = true;
        return result;
      }
      trap.Step(104, [&] { result = Interpret(query, reply); });
      result.asked = true;
      result.answered = reply.reached;
      break;
    }
  }
  trap.Step(106, [&] { TellUser(query, result, services); });
  return result;
}

}  // namespace wethrix
