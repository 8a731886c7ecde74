#pragma once
// Icons at the size the notification area draws them, so the shell never has to scale the
// temperature: its own scaling picks single pixels and leaves small digits unreadable.
#include <windows.h>

#include "image/image.hpp"
#include "platform/win32/unique_handle.hpp"

namespace wethrix::win32 {

// The small-icon size for the DPI the taskbar runs at (16 at 96 DPI, 24 at 144).
[[nodiscard]] SIZE TraySmallIconSize();

// `icon` itself when it already has `size`; otherwise a new icon of that size whose colours are
// the area average of the icon's own, fully opaque. An icon without a colour image is handed
// back as it is. Throws AppError when the icon's pixels cannot be read or the new icon made.
[[nodiscard]] unique_hicon FitIcon(unique_hicon icon, SIZE size);

// An opaque icon of `size` from `image`, area-averaged when the sizes differ. Throws AppError when
// the icon cannot be made.
[[nodiscard]] unique_hicon OpaqueIconOfSize(const imaging::Image& image, SIZE size);

}  // namespace wethrix::win32
