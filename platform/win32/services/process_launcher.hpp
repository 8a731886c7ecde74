#pragma once
#include "platform/process_launcher.hpp"

namespace wethrix::win32 {

// CreateProcessW with the window style in the start-up information. A program or folder that is
// not there fails with 53 (file not found), other failures with their Win32 error number.
class Win32ProcessLauncher final : public ProcessLauncher {
 public:
  [[nodiscard]] LaunchResult Start(std::string_view command_line, int window_style) override;
};

}  // namespace wethrix::win32
