#pragma once
// Messages the program sends to its own windows, and the main window's class, by which a later
// start of the program finds it.
#include <windows.h>

namespace wethrix::win32 {

inline constexpr wchar_t kMainWindowClassName[] = L"WethrixMainWindow";

// lParam: const SkinPalette*, valid for the duration of the call (sent, never posted).
inline constexpr UINT kApplySkinMessage = WM_APP + 1;
// Posted to the main window by a later start of the program in the same session.
inline constexpr UINT kShowRunningCopyMessage = WM_APP + 2;

}  // namespace wethrix::win32
