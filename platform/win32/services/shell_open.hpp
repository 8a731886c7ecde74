#pragma once
#include <windows.h>

#include "platform/shell_open.hpp"

namespace wethrix::win32 {

// ShellExecuteW with the default verb; the owner is the window any shell message belongs to.
class Win32ShellOpen final : public ShellOpen {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void Open(std::string_view file, std::string_view directory, int show_command) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace wethrix::win32
