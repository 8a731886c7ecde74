#pragma once
// The window procedure of our window classes: the C++ object passed as the creation parameter
// is bound to its window at WM_NCCREATE and gets every message through its HandleMessage until
// WM_NCDESTROY. Window procedures are noexcept boundaries: a failure that escapes a handler is
// written to the debugger output and the message counts as handled.
#include <windows.h>

#include <exception>

#include "platform/win32/services/message_gate.hpp"
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
// A window takes its object once, at its creation: a later WM_NCCREATE, which any program can
// send, would hand it whatever the sender put there. What only Windows and the program may send
// is dropped when another thread sends it; WM_DPICHANGED keeps its DPI, which the form weighs
// against the window's own, and loses its rectangle.
template <typename Window>
LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  auto* window = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    if (window != nullptr) return FALSE;
    window = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    window->Attach(hwnd);
  }
  if (!window) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  if (SentFromElsewhere(message)) {
    if (message != WM_DPICHANGED) return 0;
    lparam = 0;
  }
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
