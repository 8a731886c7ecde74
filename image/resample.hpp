#pragma once
#include <cstdint>

#include "image/image.hpp"

namespace wethrix::imaging {

inline constexpr std::int32_t kMaxResampleSide = 65536;

// `source` brought to `width` by `height` pixels by area averaging: each new pixel is the mean
// of the part of the source it covers, every source pixel weighted by how much of it lies
// inside. Shrunk text keeps every stroke as a shade, where picking the nearest pixel drops
// whole columns. Sides run from 1 to kMaxResampleSide; anything else, and a source whose pixel
// count does not match its size, is refused with AppError (kInvalidPicture).
[[nodiscard]] Image ResampleByAreaAverage(const Image& source, std::int32_t width, std::int32_t height);

}  // namespace wethrix::imaging
