#pragma once
// The window procedure of our window classes: the C++ object passed as the creation parameter
// is bound to its window at WM_NCCREATE and gets every message through its HandleMessage until
// WM_NCDESTROY. Window procedures are noexcept boundaries: a failure that escapes a handler is
// written to the debugger output and the message counts as handled.
#include <windows.h>

#include <exception>

#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {

inline void ReportEscapedError(const std::exception& error) noexcept {
  try {
    ::OutputDebugStringW(Widen(error.what()).c_str());
  } catch (...) {
    ::OutputDebugStringW(L"Unreportable error in a window procedure");
  }
}

// Window needs: void Attach(HWND), void Detach(), LRESULT HandleMessage(UINT, WPARAM, LPARAM).
template <typename Window>
LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->Attach(hwnd);
  }
  auto* window = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    window->Detach();
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
  }
  try {
    return window->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& error) {
    ReportEscapedError(error);
    return 0;
  }
}

// Registers a window class once per process; later calls find it there.
void RegisterWindowClass(const WNDCLASSEXW& window_class);

}  // namespace wethrix::win32
