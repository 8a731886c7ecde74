#include "platform/fakes/fake_process_launcher.hpp"

#include <memory>

namespace wethrix::fakes {
namespace {

class FakeRunningProcess final : public RunningProcess {
 public:
  FakeRunningProcess(ScriptedProcess script, RecordedLaunch& record) : script_(script), record_(record) {}
  FakeRunningProcess(const FakeRunningProcess&) = delete;
  FakeRunningProcess& operator=(const FakeRunningProcess&) = delete;
  FakeRunningProcess(FakeRunningProcess&&) = delete;
  FakeRunningProcess& operator=(FakeRunningProcess&&) = delete;
  ~FakeRunningProcess() override { record_.closed = true; }

  [[nodiscard]] std::uint32_t ExitCode() const override {
    ++record_.polls;
    if (record_.terminated) return 1;
    return record_.polls > script_.running_polls ? script_.exit_code : kStillActive;
  }
  void Terminate() noexcept override { record_.terminated = true; }

 private:
  ScriptedProcess script_;
  RecordedLaunch& record_;
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
  return {std::make_unique<FakeRunningProcess>(next, record), 0};
}

}  // namespace wethrix::fakes
