#include "tests/image/bitmap_builder.hpp"

#include <algorithm>
#include <stdexcept>

namespace wethrix::imaging::test_support {
namespace {

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8U);
}

std::vector<Rgb> PaletteOf(const Image& image, unsigned bits) {
  std::vector<Rgb> palette;
  for (const Rgb& pixel : image.pixels) {
    if (std::find(palette.begin(), palette.end(), pixel) == palette.end()) palette.push_back(pixel);
  }
  if (palette.size() > (1U << bits)) throw std::invalid_argument("too many colours for the depth");
  return palette;
}

void PutPixel(std::uint8_t* row, std::int32_t x, unsigned bits, const Rgb& pixel,
              const std::vector<Rgb>& palette) {
  const auto column = static_cast<std::size_t>(x);
  if (bits >= 24) {
    std::uint8_t* at = row + column * (bits / 8);
    at[0] = pixel.blue;
    at[1] = pixel.green;
    at[2] = pixel.red;
    return;
  }
  const auto index =
      static_cast<unsigned>(std::find(palette.begin(), palette.end(), pixel) - palette.begin());
  const std::size_t bit = column * bits;
  row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
}

}  // namespace

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  PutU16(bytes, offset, static_cast<std::uint16_t>(value));
  PutU16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16U));
}

std::vector<std::uint8_t> BuildBitmap(const Image& image, unsigned bits, bool top_down) {
  const std::vector<Rgb> palette = bits <= 8 ? PaletteOf(image, bits) : std::vector<Rgb>{};
  const std::size_t stride = (static_cast<std::size_t>(image.width) * bits + 31) / 32 * 4;
  const std::size_t pixel_offset = kPaletteStart + palette.size() * 4;
  std::vector<std::uint8_t> bytes(pixel_offset + stride * static_cast<std::size_t>(image.height));
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutU32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
  PutU32(bytes, kPixelOffsetField, static_cast<std::uint32_t>(pixel_offset));
  PutU32(bytes, kHeaderSizeField, 40);
  PutU32(bytes, kWidthField, static_cast<std::uint32_t>(image.width));
  PutU32(bytes, kHeightField, static_cast<std::uint32_t>(top_down ? -image.height : image.height));
  PutU16(bytes, kPlanesField, 1);
  PutU16(bytes, kBitsField, static_cast<std::uint16_t>(bits));
  PutU32(bytes, kColoursUsedField, static_cast<std::uint32_t>(palette.size()));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    bytes[kPaletteStart + i * 4] = palette[i].blue;
    bytes[kPaletteStart + i * 4 + 1] = palette[i].green;
    bytes[kPaletteStart + i * 4 + 2] = palette[i].red;
  }
  for (std::int32_t y = 0; y < image.height; ++y) {
    const std::int32_t stored = top_down ? y : image.height - 1 - y;
    std::uint8_t* row = &bytes[pixel_offset + static_cast<std::size_t>(stored) * stride];
    for (std::int32_t x = 0; x < image.width; ++x) PutPixel(row, x, bits, image.At(x, y), palette);
  }
  return bytes;
}

Image Pattern(std::int32_t width, std::int32_t height, unsigned colours) {
  Image image{width, height, {}};
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const auto n = static_cast<unsigned>(x * 7 + y * 13) % colours;
      image.pixels.push_back({static_cast<std::uint8_t>(n * 37), static_cast<std::uint8_t>(255 - n),
                              static_cast<std::uint8_t>(n * 11)});
    }
  }
  return image;
}

}  // namespace wethrix::imaging::test_support
