#include "display/shell32.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/fakes/fake_process_launcher.hpp"
#include "platform/fakes/fake_services.hpp"

namespace wethrix::Shell32 {
namespace {

using fakes::ScriptedProcess;

constexpr char kCommandLine[] = R"("C:\Temp\nconvert.exe" -out ico "C:\a.bmp")";

class RunAndWaitTest : public ::testing::Test {
 protected:
  RunAndWaitTest() {
    events_.clock = &clock_;
    launcher_.clock = &clock_;
  }
  std::int32_t Run(std::optional<int> style = std::nullopt, std::chrono::milliseconds limit = kTimeLimit) {
    return RunAndWait({launcher_, events_, clock_}, kCommandLine, style, limit);
  }
  fakes::FakeProcessLauncher launcher_;
  fakes::FakeEventPump events_;
  fakes::FakeClock clock_;
};

TEST(WindowStyleTest, MissingOrOutOfRangeStylesBecomeMinimisedWithoutFocus) {
  struct Case {
    std::optional<int> style;
    int expected = 0;
  };
  const Case cases[] = {{std::nullopt, 6}, {-1, 6}, {7, 6}, {INT_MIN, 6},
                        {INT_MAX, 6},      {0, 0},  {3, 3}, {6, 6}};
  for (const Case& c : cases) EXPECT_EQ(WindowStyleOrDefault(c.style), c.expected) << c.style.value_or(-99);
}

TEST_F(RunAndWaitTest, LaunchesTheCommandLineWithTheStyle) {
  for (const auto style : {std::optional<int>{0}, std::optional<int>{}, std::optional<int>{9}}) {
    EXPECT_EQ(Run(style), 0);
  }
  ASSERT_EQ(launcher_.launches.size(), 3U);
  EXPECT_EQ(launcher_.launches[0].command_line, kCommandLine);
  EXPECT_EQ(launcher_.launches[0].window_style, 0);
  EXPECT_EQ(launcher_.launches[1].window_style, 6);
  EXPECT_EQ(launcher_.launches[2].window_style, 6);
}

TEST_F(RunAndWaitTest, AFailedLaunchReturnsItsCodeAtOnceWithoutWaiting) {
  launcher_.script = {{.launch_error = 53}, {.launch_error = 5}};
  EXPECT_EQ(Run(), -2147221504 + 53);
  EXPECT_EQ(Run(), kLaunchFailed + 5);
  EXPECT_EQ(events_.Passes(), 0);
  EXPECT_EQ(events_.Waits(), 0);
}

TEST_F(RunAndWaitTest, ReadsAtMostEveryHundredMillisecondsAndReturnsTheMomentTheProcessEnds) {
  // Seen running at 0, 100 and 200 ms; the wait that follows wakes at its end, 250 ms.
  launcher_.script = {{.exit_code = 7, .exits_after = std::chrono::milliseconds(250)}};
  std::vector<std::chrono::steady_clock::time_point> passes;
  events_.on_pass = [&] { passes.push_back(clock_.Now()); };
  EXPECT_EQ(Run(), 7);
  const auto& launch = launcher_.launches.at(0);
  EXPECT_EQ(launch.polls, 4);
  ASSERT_EQ(passes.size(), 4U);
  for (std::size_t pass = 1; pass < passes.size(); ++pass) {
    EXPECT_LE(passes[pass] - passes[pass - 1], kPollInterval);
  }
  EXPECT_EQ(clock_.Now().time_since_epoch(), std::chrono::milliseconds(250));
  EXPECT_TRUE(launch.closed);
  EXPECT_FALSE(launch.terminated);
}

TEST_F(RunAndWaitTest, TheProcessEndingOutranksEventsStillQueuedWhichRunAtTheNextPass) {
  launcher_.script = {{.exit_code = 3, .exits_after = std::chrono::milliseconds(50)}};
  bool later_ran = false;
  events_.Post([&] { clock_.Advance(std::chrono::milliseconds(60)); });  // a long first paint
  events_.Post([&] { later_ran = true; });
  EXPECT_EQ(Run(), 3);
  EXPECT_FALSE(later_ran);
  EXPECT_EQ(clock_.Now().time_since_epoch(), std::chrono::milliseconds(60));
  events_.DoEvents();
  EXPECT_TRUE(later_ran);
}

TEST_F(RunAndWaitTest, EventsRunWhileAHungProcessThatWasEndedGoes) {
  launcher_.script = {
      {.running_polls = ScriptedProcess::kNeverExits, .ending = std::chrono::milliseconds(700)}};
  int passes_after_ending = 0;
  events_.on_pass = [&] { passes_after_ending += launcher_.launches.back().terminated ? 1 : 0; };
  EXPECT_EQ(Run(0, std::chrono::milliseconds(300)), kTimedOut);
  EXPECT_GE(passes_after_ending, 1);
  EXPECT_EQ(clock_.Now().time_since_epoch(), std::chrono::milliseconds(300 + 700));
}

TEST_F(RunAndWaitTest, ExitCodesAboveTheSignedRangeComeBackAsTheSameBits) {
  launcher_.script = {{.exit_code = 0xC000'0005}};
  EXPECT_EQ(Run(), static_cast<std::int32_t>(0xC000'0005));
}

TEST_F(RunAndWaitTest, AProcessThatNeverEndsIsEndedAtTheTimeLimit) {
  struct Case {
    std::chrono::milliseconds limit;
    int polls;
  };
  const Case cases[] = {
      {kTimeLimit, 101}, {std::chrono::milliseconds(300), 4}, {std::chrono::milliseconds(250), 4}};
  for (const Case& c : cases) {
    launcher_.script = {{.running_polls = ScriptedProcess::kNeverExits}};
    EXPECT_EQ(Run(0, c.limit), kTimedOut);
    const auto& launch = launcher_.launches.back();
    EXPECT_TRUE(launch.terminated);
    EXPECT_TRUE(launch.closed);
    EXPECT_EQ(launch.polls, c.polls) << c.limit.count();
  }
  EXPECT_LT(kTimedOut, 0);
  EXPECT_TRUE(kTimedOut < kLaunchFailed || kTimedOut > kLaunchFailed + 0xFFFF);
}

TEST(FileHelpersTest, WriteFileIfAbsentLetsEventsRunFirstAndNeverOverwrites) {
  fakes::FakeFileSystem files;
  fakes::FakeEventPump events;
  WriteFileIfAbsent(files, events, {1, 2}, "C:\\Temp\\a.bin");
  EXPECT_EQ(files.files.at("C:\\Temp\\a.bin"), (Bytes{1, 2}));
  EXPECT_EQ(events.Passes(), 1);

  WriteFileIfAbsent(files, events, {3}, "C:\\Temp\\a.bin");
  EXPECT_EQ(files.files.at("C:\\Temp\\a.bin"), (Bytes{1, 2}));

  // A file that a pending event writes is there by the time of the check.
  events.Post([&] { files.files["C:\\Temp\\b.bin"] = {9}; });
  WriteFileIfAbsent(files, events, {4}, "C:\\Temp\\b.bin");
  EXPECT_EQ(files.files.at("C:\\Temp\\b.bin"), (Bytes{9}));
}

TEST(FileHelpersTest, DeleteFileQuietlyIgnoresAMissingFile) {
  fakes::FakeFileSystem files;
  files.files["C:\\Temp\\a.bin"] = {1};
  DeleteFileQuietly(files, "C:\\Temp\\a.bin");
  DeleteFileQuietly(files, "C:\\Temp\\a.bin");
  EXPECT_FALSE(FileExists(files, "C:\\Temp\\a.bin"));
}

}  // namespace
}  // namespace wethrix::Shell32
