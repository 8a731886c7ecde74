#pragma once
// What every window of the program makes the same way: its designed fonts and the program icon.
#include <windows.h>

#include "app/main_layout.hpp"
#include "platform/win32/unique_handle.hpp"

namespace wethrix::win32 {

// The font at the DPI of the window that shows it; throws AppError when it cannot be made.
[[nodiscard]] unique_hfont CreateDesignFont(const FontDesign& design, UINT dpi);

// The program's icon at the size the two system metrics give at `dpi`, e.g. SM_CXICON and
// SM_CYICON; throws AppError when the program carries none.
[[nodiscard]] unique_hicon LoadApplicationIcon(int width_metric, int height_metric, UINT dpi);

}  // namespace wethrix::win32
