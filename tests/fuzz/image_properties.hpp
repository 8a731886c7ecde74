#pragma once
// What every picture read from a file must be, shared by the image readers' targets.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "image/bitmap_reader.hpp"
#include "image/bitmap_writer.hpp"
#include "image/icon_reader.hpp"
#include "image/icon_writer.hpp"
#include "property.hpp"

namespace wethrix::fuzz {

inline void CheckShape(const imaging::Image& image, std::int32_t largest_side) {
  Check(image.width >= 1 && image.height >= 1 && image.width <= largest_side && image.height <= largest_side,
        "a picture read has sides within bounds");
  Check(image.pixels.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height),
        "a picture read has one pixel per place");
}

// The converter's path: a bitmap written, then its icon; each reads back as the same picture.
inline void CheckRewrites(const imaging::Image& image) {
  std::vector<std::uint32_t> rgb(image.pixels.size());
  std::ranges::transform(image.pixels, rgb.begin(), [](const imaging::Rgb& p) {
    return std::uint32_t{p.red} << 16U | std::uint32_t{p.green} << 8U | p.blue;
  });
  Check(imaging::ReadBitmap(imaging::EncodeBitmapFile(image.width, image.height, rgb)) == image,
        "a picture written as a bitmap reads back the same");
  if (image.width <= imaging::kMaxIconSide && image.height <= imaging::kMaxIconSide) {
    Check(imaging::ReadOpaqueIcon(imaging::WriteIcon(image)) == image,
          "a picture made an icon reads back the same");
  }
}

}  // namespace wethrix::fuzz
