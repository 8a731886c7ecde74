#pragma once
// When to ask the service again after a request that got no answer at all (unreachable, dropped,
// timed out), as after a wake or at a logon before the network is up: 5, 10, 20 and 40 seconds
// after the first request of such a run, then the minute's tick alone. Any answer, a refusal too,
// ends the run; a wake starts a new one. No try comes less than 5 seconds after a request.
#include <chrono>
#include <optional>

namespace wethrix {

class RetrySchedule {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  // The request sent at `asked_at` was answered or not, and its refresh ended at `now`: how long
  // until the next try, or nothing when the tick comes next.
  [[nodiscard]] std::optional<std::chrono::milliseconds> AfterRequest(TimePoint asked_at, bool answered,
                                                                      TimePoint now);
  // The network may be coming back: the next request without an answer starts a run anew.
  void Restart() { run_start_.reset(); }

 private:
  std::optional<TimePoint> run_start_;
};

}  // namespace wethrix
