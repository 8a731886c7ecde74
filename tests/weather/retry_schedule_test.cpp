#include "weather/retry_schedule.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace wethrix {
namespace {

using std::chrono::milliseconds;

TEST(RetryScheduleTest, ARunWithoutAnswersTriesAt5_10_20And40SecondsThenLeavesItToTheTick) {
  struct Request {
    int asked_ms = 0;
    bool answered = false;
    int ended_ms = 0;
    std::optional<milliseconds> next_try;
  };
  const std::vector<Request> requests = {
      {0, false, 100, milliseconds{4900}},           // the run starts: at 5 s
      {5000, false, 5100, milliseconds{4900}},       // at 10 s
      {10000, false, 10100, milliseconds{9900}},     // at 20 s
      {20000, false, 20100, milliseconds{19900}},    // at 40 s
      {40000, false, 40100, std::nullopt},           // the ticks alone now
      {60000, false, 60100, std::nullopt},           // still the same run
      {120000, true, 120100, std::nullopt},          // an answer ends it
      {130000, false, 130050, milliseconds{4950}},   // a new run
      {133000, false, 133100, milliseconds{4900}},   // a tick within it: 5 s after it, not at 135 s
      {138000, true, 138100, std::nullopt},          // a refusal is an answer too
      {200000, false, 230000, milliseconds{10000}},  // timed out after 30 s: the 5, 10, 20 s tries are gone
  };
  RetrySchedule schedule;
  const RetrySchedule::TimePoint start{};
  for (const auto& r : requests) {
    EXPECT_EQ(
        schedule.AfterRequest(start + milliseconds{r.asked_ms}, r.answered, start + milliseconds{r.ended_ms}),
        r.next_try)
        << "asked at " << r.asked_ms << " ms";
  }
  EXPECT_EQ(schedule.AfterRequest(start + milliseconds{240000}, false, start + milliseconds{240100}),
            std::nullopt);
  schedule.Restart();  // a wake
  EXPECT_EQ(schedule.AfterRequest(start + milliseconds{250000}, false, start + milliseconds{250100}),
            milliseconds{4900});
}

}  // namespace
}  // namespace wethrix
