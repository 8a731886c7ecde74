#include "platform/fakes/fake_process_launcher.hpp"

#include <memory>

namespace wethrix::fakes {
namespace {

class FakeRunningProcess final : public RunningProcess {
 public:
  FakeRunningProcess(ScriptedProcess script, RecordedLaunch& record, const FakeClock* clock)
      : script_(script), record_(record), clock_(clock), started_(Now()) {}
  FakeRunningProcess(const FakeRunningProcess&) = delete;
  FakeRunningProcess& operator=(const FakeRunningProcess&) = delete;
  FakeRunningProcess(FakeRunningProcess&&) = delete;
  FakeRunningProcess& operator=(FakeRunningProcess&&) = delete;
  ~FakeRunningProcess() override { record_.closed = true; }

  [[nodiscard]] std::uint32_t ExitCode() const override {
    ++record_.polls;
    if (record_.terminated) return Gone() ? 1 : kStillActive;
    if (script_.exits_after) {
      return Now() >= started_ + *script_.exits_after ? script_.exit_code : kStillActive;
    }
    return record_.polls > script_.running_polls ? script_.exit_code : kStillActive;
  }
  [[nodiscard]] const Waitable& Ended() const override { return ended_; }
  void Terminate() noexcept override {
    record_.terminated = true;
    terminated_ = Now();
  }

 private:
  using TimePoint = std::chrono::steady_clock::time_point;
  [[nodiscard]] TimePoint Now() const { return clock_ != nullptr ? clock_->Now() : TimePoint{}; }
  [[nodiscard]] bool Gone() const { return Now() >= terminated_ + script_.ending; }
  // Only a timed or a terminated process can be seen ending without a read of its exit code.
  [[nodiscard]] bool HasEnded() const {
    if (record_.terminated) return Gone();
    return script_.exits_after && Now() >= started_ + *script_.exits_after;
  }

  ScriptedProcess script_;
  RecordedLaunch& record_;
  const FakeClock* clock_;
  TimePoint started_;
  TimePoint terminated_{};
  FakeWaitable ended_{[this] { return HasEnded(); }};
};

}  // namespace

LaunchResult FakeProcessLauncher::Start(std::string_view command_line, int window_style) {
  ScriptedProcess next;
  if (!script.empty()) {
    next = script.front();
    script.pop_front();
  }
  RecordedLaunch& record = launches.emplace_back(
      RecordedLaunch{.command_line = std::string(command_line), .window_style = window_style});
  if (next.launch_error != 0) {
    record.closed = true;
    return {nullptr, next.launch_error};
  }
  if (on_launch) on_launch(command_line);
  return {std::make_unique<FakeRunningProcess>(next, record, clock), 0};
}

}  // namespace wethrix::fakes
