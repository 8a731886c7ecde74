#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

namespace wethrix {

inline constexpr std::uint32_t kStillActive = 259;

class RunningProcess {
 public:
  virtual ~RunningProcess() = default;
  // The exit code, or kStillActive while the process runs.
  [[nodiscard]] virtual std::uint32_t ExitCode() const = 0;
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
