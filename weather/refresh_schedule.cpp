// When the temperature is fetched: every minute, soon again after a request without an answer,
// after a resume, and the query itself.
#include "app/application_title.hpp"
#include "app/form1.hpp"
#include "weather/request.hpp"

namespace wethrix {

void Form1::Timer1_Timer() {
  try {
    services_.pump.DoEvents();
    ListTemp(true);
    services_.pump.DoEvents();
  } catch (...) {  // a tick never reports; the refresh reports its own failures
  }
}

// One try, silent as a tick; the refresh that ends it arms the next, if any.
void Form1::RetryTimer_Timer() {
  view_.RetryTimer().SetEnabled(false);
  try {
    ListTemp(true);
  } catch (...) {  // as a tick
  }
}

// A try that cannot be armed leaves the tick to ask.
void Form1::ArmRetryTimer() noexcept {
  if (!last_request_ || closing_) return;  // no request this round: a try already armed stands
  const auto wait =
      retries_.AfterRequest(last_request_->asked_at, last_request_->answered, services_.clock.Now());
  last_request_.reset();
  try {
    Timer& timer = view_.RetryTimer();
    timer.SetEnabled(false);
    if (!wait) return;
    timer.SetInterval(std::max(*wait, std::chrono::milliseconds{1}));
    timer.SetEnabled(true);
  } catch (...) {
  }
}

// After a wake the network is often still coming up: the refresh that fails then tries again soon.
void Form1::PowerResumed() {
  retries_.Restart();
  ListTemp(true);
}

Unit Form1::SelectedUnit() const {
  if (view_.Option4()) return Unit::kFahrenheit;
  if (view_.Option5()) return Unit::kCelsius;
  return Unit::kNone;
}

// A request keeps its distance from the one before, whatever triggered it; the query is read
// after the wait, so it asks for what the window shows by then. The refresh that waits here is
// still running, so the triggers that come meanwhile fold into it as during its other waits; a
// closing ends the wait.
void Form1::getWeather(bool silent) {
  if (last_asked_) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(
        *last_asked_ + RequestGap(services_.environment) - services_.clock.Now());
    const FlagRaised closing_begun(closing_);
    if (left > std::chrono::milliseconds{0}) {
      LetEventsRun(services_.pump, services_.clock, &closing_begun, left);
    }
  }
  if (closing_) return;
  const WeatherQuery query{view_.Label1(), settings_.Text(setting::kApiKey, setting::kApiKeyDefault),
                           SelectedUnit(), silent, view_.PushButton5Caption()};
  WeatherServices weather{services_.inet,        services_.pump,  services_.dialogs,
                          services_.environment, services_.clock, application_title_};
  const auto asked_at = services_.clock.Now();
  const WeatherResult result = wethrix::getWeather(query, weather);
  if (result.asked) {
    last_request_ = Request{asked_at, result.answered};
    last_asked_ = asked_at;
  }
  cur_temp_ = result.temperature;
  cur_unit_ = query.unit;  // the unit may change during the wait; the texts follow the number
  city_name_ = result.city_name;
  reason_ = result.reason;
}

}  // namespace wethrix
