#pragma once
// The only place the program talks to the weather service.
#include <chrono>
#include <string>
#include <string_view>

#include "platform/clock.hpp"
#include "platform/dialogs.hpp"
#include "platform/environment.hpp"
#include "platform/event_pump.hpp"
#include "platform/http_transfer.hpp"
#include "weather/temperature.hpp"

namespace wethrix {

inline constexpr std::string_view kGetWeatherTag = "in Wethrix2021/08/31.Form1.getWeather ";

struct WeatherQuery {
  std::string location;  // the caption of Label1
  std::string api_key;   // the "APIKey" setting, read afresh for every query; sent without blanks around it
  Unit unit = Unit::kFahrenheit;
  bool silent = true;  // false when the user just changed something: tell them what went wrong
  std::string push_button5_caption;
};

struct WeatherResult {
  double temperature = 0;  // whole degrees, kRefusedKeyTemperature, or NaN for no reading
  std::string city_name;   // the service's name for the place, else the location text
  std::string reason;      // why there is no reading (with NaN); empty otherwise
  bool asked = false;      // a request went out
  bool answered = false;   // and the service answered it, whatever it said
  bool withdrawn = false;  // moot before its answer came: nothing read, nothing told
};

struct WeatherServices {
  HttpTransfer& transfer;
  EventPump& events;
  Dialogs& dialogs;
  const Environment& environment;
  Clock& clock;
  std::string application_title;
  HttpTimeouts timeouts{};
  // The longest wait between two tests of the transfer; it wakes earlier when the transfer ends
  // or a window event arrives.
  std::chrono::milliseconds poll_interval{50};
  // Done once the request's answer no longer matters (the user changed what to ask meanwhile):
  // the transfer in flight is abandoned and nothing is told.
  const Waitable* withdrawn = nullptr;
};

// Sends one request (none while an earlier transfer is still in flight, none for a location too
// long for any server to take) and lets window events run until it ends or is withdrawn. A refused
// key or a missing reading is told in one plain box unless silent; failures of the program itself
// are reported by the error trap under kGetWeatherTag.
[[nodiscard]] WeatherResult getWeather(const WeatherQuery& query, WeatherServices& services);

// The box shown, unless silent, when the service refuses the key.
[[nodiscard]] std::string RefusedKeyMessage(std::string_view push_button5_caption);
// The box shown, unless silent, when there is no reading.
[[nodiscard]] std::string NoReadingMessage(std::string_view location, std::string_view reason);

}  // namespace wethrix
