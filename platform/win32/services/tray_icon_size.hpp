#pragma once
// Icons at the size the notification area draws them, so the shell never has to scale the
// temperature: its own scaling picks single pixels and leaves small digits unreadable.
#include <windows.h>

#include "image/image.hpp"
#include "platform/win32/handles/unique_handle.hpp"

namespace wethrix::win32 {

// The small-icon size for the DPI the taskbar runs at (16 at 96 DPI, 24 at 144).
[[nodiscard]] SIZE TraySmallIconSize();

// An opaque icon of `size` from `image`, area-averaged when the sizes differ. Throws AppError when
// the icon cannot be made.
[[nodiscard]] unique_hicon OpaqueIconOfSize(const imaging::Image& image, SIZE size);

}  // namespace wethrix::win32
