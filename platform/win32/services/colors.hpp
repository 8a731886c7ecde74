#pragma once
#include <windows.h>

#include "platform/color.hpp"

namespace wethrix::win32 {

// The system's current value of a colour index, 0x00BBGGRR.
[[nodiscard]] inline std::uint32_t SystemColor(int index) {
  return ::GetSysColor(index);
}

// A stored colour as GDI draws it, system colours taken from the current theme.
[[nodiscard]] inline COLORREF ToColorRef(Color color) {
  return ResolveColor(color, SystemColor);
}

}  // namespace wethrix::win32
