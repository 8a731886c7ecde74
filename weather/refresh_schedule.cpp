// When the temperature is fetched: every minute, after a resume, and the query itself.
#include "app/application_title.hpp"
#include "app/form1.hpp"

namespace wethrix {

void Form1::Timer1_Timer() {
  try {
    services_.pump.DoEvents();
    ListTemp(true);
    services_.pump.DoEvents();
  } catch (...) {  // a tick never reports; the refresh reports its own failures
  }
}

void Form1::PowerResumed() {
  ListTemp(true);
}

Unit Form1::SelectedUnit() const {
  if (view_.Option4()) return Unit::kFahrenheit;
  if (view_.Option5()) return Unit::kCelsius;
  return Unit::kNone;
}

void Form1::getWeather(bool silent) {
  const WeatherQuery query{view_.Label1(), settings_.Text(setting::kApiKey, setting::kApiKeyDefault),
                           SelectedUnit(), silent, view_.PushButton5Caption()};
  WeatherServices weather{services_.inet,        services_.pump,  services_.dialogs,
                          services_.environment, services_.clock, application_title_};
  const WeatherResult result = wethrix::getWeather(query, weather);
  cur_temp_ = result.temperature;
  cur_unit_ = query.unit;  // the unit may change during the wait; the texts follow the number
  city_name_ = result.city_name;
  reason_ = result.reason;
}

}  // namespace wethrix
