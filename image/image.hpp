#pragma once
#include <cstdint>
#include <vector>

namespace wethrix::imaging {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A picture with opaque colours, rows stored from the top down.
struct Image {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<Rgb> pixels;

  [[nodiscard]] const Rgb& At(std::int32_t x, std::int32_t y) const {
    return pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x));
  }
  friend bool operator==(const Image&, const Image&) = default;
};

}  // namespace wethrix::imaging
