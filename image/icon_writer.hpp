#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "image/icon_layout.hpp"
#include "image/image.hpp"

namespace wethrix::imaging {

// An icon file holding one 32-bit image of the picture's size with its AND mask. A bitmap has
// no transparency, so every pixel is opaque. Pictures larger than 256 pixels on a side cannot
// be icons and are refused with AppError.
[[nodiscard]] std::vector<std::uint8_t> WriteIcon(const Image& image);

// The converter's whole job, which the program does itself when the converter cannot: the icon
// file of a Windows bitmap file, refused with AppError as ReadBitmap and WriteIcon refuse.
[[nodiscard]] std::vector<std::uint8_t> IconFileOfBitmapFile(std::span<const std::uint8_t> bitmap_file);

}  // namespace wethrix::imaging
