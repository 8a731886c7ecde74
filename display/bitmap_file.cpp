#include "display/bitmap_file.hpp"

#include <cstdint>

#include "platform/errors.hpp"

namespace wethrix {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 24;
constexpr int kPixelsPerMetreAt96Dpi = 3780;
constexpr int kMaxSide = 0x3FFFFFFF / 3;  // keeps a row's byte count within 32 bits

void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// Rows are padded to a multiple of four bytes.
[[nodiscard]] std::uint32_t RowSize(std::uint32_t width) {
  return (width * 3 + 3) & ~3U;
}

}  // namespace

Bytes EncodeBitmapFile(int width, int height, std::span<const std::uint32_t> pixels) {
  if (width <= 0 || height <= 0 || width > kMaxSide ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw InvalidPicture();
  }
  const auto w = static_cast<std::uint32_t>(width);
  const auto h = static_cast<std::uint32_t>(height);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  if (static_cast<std::uint64_t>(RowSize(w)) * h + offset > UINT32_MAX) throw Overflow();
  const std::uint32_t image_size = RowSize(w) * h;

  Bytes out;
  out.reserve(offset + image_size);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + image_size);
  Put32(out, 0);  // reserved
  Put32(out, offset);

  Put32(out, kInfoHeaderSize);
  Put32(out, w);
  Put32(out, h);  // positive: bottom row first
  Put16(out, 1);  // planes
  Put16(out, kBitsPerPixel);
  Put32(out, 0);  // BI_RGB
  Put32(out, image_size);
  Put32(out, kPixelsPerMetreAt96Dpi);
  Put32(out, kPixelsPerMetreAt96Dpi);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // important colours

  for (std::uint32_t row = h; row-- > 0;) {
    for (const std::uint32_t rgb : pixels.subspan(std::size_t{row} * w, w)) {
      out.push_back(static_cast<std::uint8_t>(rgb));        // blue
      out.push_back(static_cast<std::uint8_t>(rgb >> 8));   // green
      out.push_back(static_cast<std::uint8_t>(rgb >> 16));  // red
    }
    out.resize(out.size() + RowSize(w) - std::size_t{w} * 3, 0);
  }
  return out;
}

}  // namespace wethrix
