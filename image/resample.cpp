#include "image/resample.hpp"

#include <algorithm>
#include <string>

#include "platform/errors.hpp"

namespace wethrix::imaging {
namespace {

// One source row or column feeding a target one, weighted in units of 1/target of a source
// pixel; the weights of one target pixel add up to the source length.
struct Tap {
  std::size_t source = 0;
  std::uint64_t weight = 0;
};

// Target cell t spans [t * source, (t + 1) * source) and source cell s spans
// [s * target, (s + 1) * target) on a common axis, so every overlap is a whole number.
std::vector<std::vector<Tap>> AxisTaps(std::int32_t source_length, std::int32_t target_length) {
  const auto source = static_cast<std::uint64_t>(source_length);
  const auto target = static_cast<std::uint64_t>(target_length);
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(target_length));
  for (std::uint64_t t = 0; t < target; ++t) {
    const std::uint64_t begin = t * source;
    const std::uint64_t end = begin + source;
    for (std::uint64_t s = begin / target; s * target < end; ++s) {
      const std::uint64_t overlap = std::min(end, (s + 1) * target) - std::max(begin, s * target);
      taps[t].push_back({static_cast<std::size_t>(s), overlap});
    }
  }
  return taps;
}

bool ValidSide(std::int32_t side) {
  return side >= 1 && side <= kMaxResampleSide;
}

// Called with valid sides only, so nothing overflows.
std::uint64_t Work(const Image& source, std::int32_t width, std::int32_t height) {
  return static_cast<std::uint64_t>(source.width + width) *
         static_cast<std::uint64_t>(source.height + height);
}

void CheckSizes(const Image& source, std::int32_t width, std::int32_t height) {
  const bool consistent = ValidSide(source.width) && ValidSide(source.height) &&
                          source.pixels.size() == static_cast<std::size_t>(source.width) *
                                                      static_cast<std::size_t>(source.height);
  if (!consistent || !ValidSide(width) || !ValidSide(height) ||
      Work(source, width, height) > kMaxResampleWork) {
    throw AppError(error_number::kInvalidPicture, "cannot resample a " + std::to_string(source.width) +
                                                      " by " + std::to_string(source.height) +
                                                      " picture to " + std::to_string(width) + " by " +
                                                      std::to_string(height));
  }
}

struct ChannelSums {
  std::uint64_t red = 0;
  std::uint64_t green = 0;
  std::uint64_t blue = 0;

  void Add(const Rgb& pixel, std::uint64_t weight) {
    red += pixel.red * weight;
    green += pixel.green * weight;
    blue += pixel.blue * weight;
  }
  [[nodiscard]] Rgb Mean(std::uint64_t total) const {
    const auto mean = [total](std::uint64_t sum) {
      return static_cast<std::uint8_t>((sum + total / 2) / total);
    };
    return {mean(red), mean(green), mean(blue)};
  }
};

}  // namespace

Image ResampleByAreaAverage(const Image& source, std::int32_t width, std::int32_t height) {
  CheckSizes(source, width, height);
  const auto columns = AxisTaps(source.width, width);
  const auto rows = AxisTaps(source.height, height);
  const std::uint64_t total =
      static_cast<std::uint64_t>(source.width) * static_cast<std::uint64_t>(source.height);
  const auto stride = static_cast<std::size_t>(source.width);

  Image target{width, height, {}};
  target.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (const auto& row_taps : rows) {
    for (const auto& column_taps : columns) {
      ChannelSums sums;
      for (const Tap& row : row_taps) {
        for (const Tap& column : column_taps) {
          sums.Add(source.pixels[row.source * stride + column.source], row.weight * column.weight);
        }
      }
      target.pixels.push_back(sums.Mean(total));
    }
  }
  return target;
}

}  // namespace wethrix::imaging
