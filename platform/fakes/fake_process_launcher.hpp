#pragma once
#include <chrono>
#include <climits>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/fakes/fake_services.hpp"
#include "platform/process_launcher.hpp"

namespace wethrix::fakes {

// What the next launch does. Unscripted launches start a process that has already exited with 0.
// A process ends after `running_polls` exit-code reads, or, timed on the launcher's clock, once
// `exits_after` has passed; an ended one has gone `ending` after it.
struct ScriptedProcess {
  static constexpr int kNeverExits = INT_MAX;
  int launch_error = 0;   // non-zero: the launch fails with this error number
  int running_polls = 0;  // exit-code reads that still see the process running
  std::uint32_t exit_code = 0;
  std::optional<std::chrono::milliseconds> exits_after{};
  std::chrono::milliseconds ending{0};
};

// One launch as the launcher saw it, and what happened to the process afterwards.
struct RecordedLaunch {
  std::string command_line;
  int window_style = 0;
  int polls = 0;
  bool terminated = false;
  bool closed = false;  // the process object (its handles) was released
};

class FakeProcessLauncher final : public ProcessLauncher {
 public:
  [[nodiscard]] LaunchResult Start(std::string_view command_line, int window_style) override;

  std::deque<ScriptedProcess> script;
  // The work each started process does, such as writing its output file.
  std::function<void(std::string_view command_line)> on_launch;
  std::deque<RecordedLaunch> launches;  // a deque, so running processes keep their records
  FakeClock* clock = nullptr;           // needed by timed processes
};

}  // namespace wethrix::fakes
