#pragma once
#include <cstdint>
#include <span>

#include "image/image.hpp"

namespace wethrix::imaging {

// Decodes a Windows bitmap file: uncompressed (BI_RGB) at 1, 4, 8, 24 or 32 bits per pixel,
// stored bottom-up or top-down. Anything else, and every file whose declared layout does not
// fit inside its bytes, is refused with AppError (kInvalidPicture) naming the reason.
[[nodiscard]] Image ReadBitmap(std::span<const std::uint8_t> file);

}  // namespace wethrix::imaging
