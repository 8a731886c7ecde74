#pragma once
// Windows bitmap files: what a picture box saves and the converter reads.
#include <cstdint>
#include <span>
#include <vector>

namespace wethrix::imaging {

// A 24-bit uncompressed bitmap file of `width` by `height` pixels, given top row first as
// 0x00RRGGBB values (the layout of a 32-bit device-independent bitmap). Throws AppError when
// the pixel count does not match the size.
[[nodiscard]] std::vector<std::uint8_t> EncodeBitmapFile(int width, int height,
                                                         std::span<const std::uint32_t> pixels);

}  // namespace wethrix::imaging
