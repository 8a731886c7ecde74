// The area-averaging resample behind the tray icon, with sizes that fit and sizes that do not.
// Input: four bytes for the source's and the target's sides (248 and above pick an edge value),
// a byte whose low bit drops the source's last pixel, then the source's colours, repeated.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>

#include "image/resample.hpp"
#include "platform/errors.hpp"
#include "property.hpp"

namespace wethrix {
namespace {

using fuzz::Check;
using imaging::Image;
using imaging::Rgb;

// The harness builds no source larger than this; a larger one is given too few pixels.
constexpr std::size_t kLargestSourceBuilt = std::size_t{1} << 16;

constexpr std::uint8_t kFirstEdge = 248;

std::int32_t Side(std::uint8_t code) {
  constexpr std::array<std::int32_t, 8> kEdges{0,
                                               -1,
                                               256,
                                               4096,
                                               imaging::kMaxResampleSide,
                                               imaging::kMaxResampleSide + 1,
                                               std::numeric_limits<std::int32_t>::max(),
                                               std::numeric_limits<std::int32_t>::min()};
  return code < kFirstEdge ? code : kEdges.at(code - kFirstEdge);
}

Image Source(std::int32_t width, std::int32_t height, bool short_by_one,
             std::span<const std::uint8_t> colours) {
  const std::size_t area =
      width > 0 && height > 0 ? static_cast<std::size_t>(width) * static_cast<std::size_t>(height) : 0;
  std::size_t count = std::min(area, kLargestSourceBuilt);
  if (short_by_one && count > 0) --count;
  Image image{width, height, std::vector<Rgb>(count)};
  for (std::size_t i = 0; i < count && !colours.empty(); ++i) {
    const std::size_t at = i * 3 % colours.size();
    image.pixels[i] = {colours[at], colours[(at + 1) % colours.size()], colours[(at + 2) % colours.size()]};
  }
  return image;
}

// Whether the code picks a side within the documented 1 to kMaxResampleSide, as the edges above
// were chosen: 256, 4096 and kMaxResampleSide are, the others are not.
bool ValidSide(std::uint8_t code) {
  constexpr std::array kValidEdges{false, false, true, true, true, false, false, false};
  return code < kFirstEdge ? code != 0 : kValidEdges.at(code - kFirstEdge);
}

void CheckChannel(const Image& source, const Image& target, std::uint8_t Rgb::*channel) {
  const auto [low, high] = std::ranges::minmax(source.pixels, {}, channel);
  Check(std::ranges::all_of(
            target.pixels,
            [&](const Rgb& p) { return p.*channel >= low.*channel && p.*channel <= high.*channel; }),
        "every shade lies between the source's darkest and lightest");
}

void CheckResample(const Image& source, const Image& target, std::int32_t width, std::int32_t height) {
  Check(target.width == width && target.height == height &&
            target.pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
        "the picture has the size asked for");
  CheckChannel(source, target, &Rgb::red);
  CheckChannel(source, target, &Rgb::green);
  CheckChannel(source, target, &Rgb::blue);
  if (width == source.width && height == source.height) {
    Check(target == source, "the same size changes nothing");
  }
}

}  // namespace
}  // namespace wethrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wethrix;
  constexpr std::size_t kHeader = 5;
  if (size < kHeader) return 0;
  const std::int32_t width = Side(data[2]);
  const std::int32_t height = Side(data[3]);
  const Image source =
      Source(Side(data[0]), Side(data[1]), (data[4] & 1U) != 0, std::span(data + kHeader, size - kHeader));
  // Whole as the harness built it; the work as its limit is documented, in a type no sum overflows.
  const bool whole =
      ValidSide(data[0]) && ValidSide(data[1]) && (data[4] & 1U) == 0 &&
      static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height) <= kLargestSourceBuilt;
  const double work =
      (static_cast<double>(source.width) + width) * (static_cast<double>(source.height) + height);
  const bool fits = whole && ValidSide(data[2]) && ValidSide(data[3]) &&
                    work <= static_cast<double>(imaging::kMaxResampleWork);
  try {
    const Image target = imaging::ResampleByAreaAverage(source, width, height);
    Check(fits, "only sizes that fit are resampled");
    CheckResample(source, target, width, height);
  } catch (const AppError& error) {
    Check(!fits && error.Number() == error_number::kInvalidPicture,
          "sizes that do not fit are refused as an invalid picture");
  }
  return 0;
}
