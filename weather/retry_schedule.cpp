#include "weather/retry_schedule.hpp"

#include <algorithm>
#include <array>

#include "weather/request.hpp"

namespace wethrix {
namespace {

using std::chrono::seconds;

constexpr std::array kTries{seconds{5}, seconds{10}, seconds{20}, seconds{40}};  // after the run's start

}  // namespace

std::optional<std::chrono::milliseconds> RetrySchedule::AfterRequest(TimePoint asked_at, bool answered,
                                                                     TimePoint now) {
  if (answered) {
    run_start_.reset();
    return std::nullopt;
  }
  if (!run_start_) run_start_ = asked_at;
  // The first try still ahead; a refresh that waited long for nothing skips those it outlasted.
  const auto* const next =
      std::ranges::find_if(kTries, [&](seconds after) { return *run_start_ + after > now; });
  if (next == kTries.end()) return std::nullopt;
  const TimePoint due = std::max(*run_start_ + *next, asked_at + kLeastRequestGap);
  return std::chrono::ceil<std::chrono::milliseconds>(due - now);
}

}  // namespace wethrix
