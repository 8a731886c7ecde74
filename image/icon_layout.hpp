#pragma once
// The layout of an icon file of one 32-bit image, as the converter writes it and the program
// reads it back: a directory of one entry, a BITMAPINFOHEADER, bottom-up BGRA rows, the AND mask.
#include <cstdint>

namespace wethrix::imaging {

inline constexpr std::int32_t kMaxIconSide = 256;
inline constexpr std::uint32_t kIconDirectorySize = 6 + 16;  // ICONDIR with one ICONDIRENTRY
inline constexpr std::uint32_t kIconInfoHeaderSize = 40;     // BITMAPINFOHEADER
inline constexpr std::uint8_t kOpaqueAlpha = 255;

[[nodiscard]] constexpr std::uint32_t IconColourBytes(std::uint32_t width, std::uint32_t height) {
  return width * 4 * height;
}

// Monochrome rows are padded to 32 bits.
[[nodiscard]] constexpr std::uint32_t IconMaskBytes(std::uint32_t width, std::uint32_t height) {
  return (width + 31) / 32 * 4 * height;
}

// The image's part of the file: its header, colours and mask.
[[nodiscard]] constexpr std::uint32_t IconImageBytes(std::uint32_t width, std::uint32_t height) {
  return kIconInfoHeaderSize + IconColourBytes(width, height) + IconMaskBytes(width, height);
}

inline constexpr std::uint64_t kLargestIconFile =
    kIconDirectorySize + IconImageBytes(kMaxIconSide, kMaxIconSide);

}  // namespace wethrix::imaging
