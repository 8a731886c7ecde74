#pragma once
// Writes Windows bitmap files for tests and benchmarks, independently of the converter's reader.
#include <cstdint>
#include <vector>

#include "image/image.hpp"

namespace wethrix::imaging::test_support {

// Field offsets of the file, for tests that corrupt one field.
inline constexpr std::size_t kPixelOffsetField = 10;
inline constexpr std::size_t kHeaderSizeField = 14;
inline constexpr std::size_t kWidthField = 18;
inline constexpr std::size_t kHeightField = 22;
inline constexpr std::size_t kPlanesField = 26;
inline constexpr std::size_t kBitsField = 28;
inline constexpr std::size_t kCompressionField = 30;
inline constexpr std::size_t kColoursUsedField = 46;
inline constexpr std::size_t kPaletteStart = 54;

// Encodes `image` at `bits` per pixel. Depths up to 8 get a palette of the image's colours in
// order of first appearance, which must fit the depth.
[[nodiscard]] std::vector<std::uint8_t> BuildBitmap(const Image& image, unsigned bits, bool top_down = false);

// A picture of up to `colours` distinct colours in a diagonal pattern.
[[nodiscard]] Image Pattern(std::int32_t width, std::int32_t height, unsigned colours);

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);

}  // namespace wethrix::imaging::test_support
