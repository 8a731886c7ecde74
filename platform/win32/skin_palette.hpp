#pragma once
#include <cstdint>

#include "platform/skin_engine.hpp"

namespace wethrix::win32 {

// Hands a skin's colours to one of our windows, the `apply` of PaletteSkin. A handle that is
// not a window of this program is left alone.
void SendSkinPalette(std::int32_t window, const SkinPalette& palette);

}  // namespace wethrix::win32
