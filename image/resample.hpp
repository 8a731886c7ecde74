#pragma once
#include <cstdint>

#include "image/image.hpp"

namespace wethrix::imaging {

inline constexpr std::int32_t kMaxResampleSide = 65536;
// (source width + width) * (source height + height): more than the source-by-target overlaps one
// resample visits and the pixels it makes, which sides alone do not bound (65536 by 1 to 1 by
// 65536 visits 2^32 overlaps; 65536 by 65536 pixels take 12 GiB).
inline constexpr std::uint64_t kMaxResampleWork = std::uint64_t{1} << 24;

// `source` brought to `width` by `height` pixels by area averaging: each new pixel is the mean
// of the part of the source it covers, every source pixel weighted by how much of it lies
// inside. Shrunk text keeps every stroke as a shade, where picking the nearest pixel drops
// whole columns. Sides run from 1 to kMaxResampleSide and the work is at most kMaxResampleWork;
// anything else, and a source whose pixel count does not match its size, is refused with
// AppError (kInvalidPicture).
[[nodiscard]] Image ResampleByAreaAverage(const Image& source, std::int32_t width, std::int32_t height);

}  // namespace wethrix::imaging
