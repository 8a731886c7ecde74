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

// A request keeps its distance from the one before, whatever triggered it. The refresh that waits
// here is still running, so the triggers that come meanwhile fold into it, and its request answers
// them: it asks for what the window shows by then, and aloud unless every one of them was silent.
// A closing ends the wait.
bool Form1::AwaitRequestGap(bool silent) {
  if (last_asked_) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(
        *last_asked_ + RequestGap(services_.environment) - services_.clock.Now());
    const FlagRaised closing_begun(closing_);
    if (left > std::chrono::milliseconds{0}) {
      LetEventsRun(services_.pump, services_.clock, &closing_begun, left);
    }
  }
  if (!rerun_) return silent;
  rerun_ = false;
  return silent && rerun_silent_;
}

// A user's change while the request is in flight withdraws it: its answer, moot, is neither shown
// nor told, and the run owed to the change asks as soon as the gap allows.
bool Form1::getWeather(bool silent) {
  if (closing_) return false;
  const WeatherQuery query{view_.Label1(), settings_.Text(setting::kApiKey, setting::kApiKeyDefault),
                           SelectedUnit(), silent, view_.PushButton5Caption()};
  withdrawn_ = false;
  const FlagRaised withdrawn(withdrawn_);
  WeatherServices weather{services_.inet,        services_.pump,  services_.dialogs,
                          services_.environment, services_.clock, application_title_};
  weather.withdrawn = &withdrawn;
  const auto asked_at = services_.clock.Now();
  const WeatherResult result = wethrix::getWeather(query, weather);
  if (result.asked) {
    last_request_ = Request{asked_at, result.answered};
    last_asked_ = asked_at;
  }
  if (result.withdrawn) return false;
  cur_temp_ = result.temperature;
  cur_unit_ = query.unit;  // the unit may change during the wait; the texts follow the number
  city_name_ = result.city_name;
  reason_ = result.reason;
  return true;
}

}  // namespace wethrix
