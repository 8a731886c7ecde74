#pragma once
// mSysTray: the window procedure that the tray control puts in front of its window's own
// procedure while its icon is in the tray, and the owner of that swap.
#include <windows.h>

#include "platform/tray_window.hpp"

namespace wethrix::win32 {

namespace mSysTray {
// Hands the tray callback message to the control in the window's user data, then passes every
// message, that one included, to the replaced procedure and returns its result.
LRESULT CALLBACK TrayWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
}  // namespace mSysTray

// Installs TrayWndProc on `window` for its own lifetime. The replaced procedure is kept in a
// property of the window, so each window has its own; the destructor puts the procedure and the
// user data back as they were.
class TrayHook {
 public:
  TrayHook(HWND window, TrayWindowClient& control);
  ~TrayHook();
  TrayHook(const TrayHook&) = delete;
  TrayHook& operator=(const TrayHook&) = delete;
  TrayHook(TrayHook&&) = delete;
  TrayHook& operator=(TrayHook&&) = delete;

 private:
  void Restore() noexcept;

  HWND window_;
  LONG_PTR replaced_procedure_;
  LONG_PTR replaced_user_data_;
};

}  // namespace wethrix::win32
