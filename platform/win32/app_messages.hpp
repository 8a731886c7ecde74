#pragma once
// Messages the program sends to its own windows.
#include <windows.h>

namespace wethrix::win32 {

// lParam: const SkinPalette*, valid for the duration of the call (sent, never posted).
inline constexpr UINT kApplySkinMessage = WM_APP + 1;

}  // namespace wethrix::win32
