#pragma once
#include "platform/tray_shell.hpp"

namespace wethrix::win32 {

// The program's only call of Shell_NotifyIconW.
class Win32TrayShell final : public TrayShell {
 public:
  [[nodiscard]] bool Notify(std::uint32_t message, const NotifyRecord& record) noexcept override;
};

}  // namespace wethrix::win32
