#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/event_pump.hpp"

namespace wethrix {

inline constexpr std::uint32_t kStillActive = 259;

class RunningProcess {
 public:
  virtual ~RunningProcess() = default;
  // The exit code, or kStillActive while the process runs.
  [[nodiscard]] virtual std::uint32_t ExitCode() const = 0;
  // Done the moment the process has ended.
  [[nodiscard]] virtual const Waitable& Ended() const = 0;
  // Starts ending the process; it has gone once Ended is done.
  virtual void Terminate() noexcept = 0;
};

struct LaunchResult {
  std::unique_ptr<RunningProcess> process;  // null when the launch failed
  int error = 0;                            // error number when it failed (53: file not found)
};

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts `command_line` with a ShowWindow style (0 hidden ... 6 minimised without focus).
  [[nodiscard]] virtual LaunchResult Start(std::string_view command_line, int window_style) = 0;
};

}  // namespace wethrix
