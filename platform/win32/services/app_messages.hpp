#pragma once
// The message a later start of the program posts to the running one, and the main window's class,
// by which it finds it. What the program's own parts hand each other goes by a call, never by a
// message: any program may send a window any message.
#include <windows.h>

namespace wethrix::win32 {

inline constexpr wchar_t kMainWindowClassName[] = L"WethrixMainWindow";

// Posted to the main window by a later start of the program in the same session, both
// parameters 0.
inline constexpr UINT kShowRunningCopyMessage = WM_APP + 2;

}  // namespace wethrix::win32
