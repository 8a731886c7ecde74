#pragma once
// Helpers for tests that drive real windows under Wine.
#include <windows.h>

#include <functional>

#include "platform/color.hpp"
#include "platform/layout.hpp"

namespace wethrix::win32::testing {

inline constexpr Color kWhite = 0x00FFFFFF;

// Dispatches messages until `done` holds or about five seconds have passed; true when it held.
inline bool PumpUntil(const std::function<bool()>& done, HWND dialog = nullptr) {
  const ULONGLONG deadline = ::GetTickCount64() + 5000;
  while (!done()) {
    if (::GetTickCount64() > deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return done();
      if (dialog != nullptr && ::IsDialogMessageW(dialog, &msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return true;
}

// Runs pending messages once, so that painting has happened.
inline void Settle() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// A child's rectangle in its parent's client coordinates.
inline PixelRect RectInParent(HWND child) {
  RECT rect;
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace wethrix::win32::testing
