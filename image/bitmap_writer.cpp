#include "image/bitmap_writer.hpp"

#include <cstdint>

#include "image/little_endian.hpp"
#include "platform/errors.hpp"

namespace wethrix::imaging {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 24;
constexpr std::uint32_t kPixelsPerMetreAt96Dpi = 3780;
constexpr int kMaxSide = 0x3FFFFFFF / 3;  // keeps a row's byte count within 32 bits

// Rows are padded to a multiple of four bytes.
[[nodiscard]] std::uint32_t RowSize(std::uint32_t width) {
  return (width * 3 + 3) & ~3U;
}

}  // namespace

std::vector<std::uint8_t> EncodeBitmapFile(int width, int height, std::span<const std::uint32_t> pixels) {
  if (width <= 0 || height <= 0 || width > kMaxSide ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw InvalidPicture();
  }
  const auto w = static_cast<std::uint32_t>(width);
  const auto h = static_cast<std::uint32_t>(height);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  if (static_cast<std::uint64_t>(RowSize(w)) * h + offset > UINT32_MAX) throw Overflow();
  const std::uint32_t image_size = RowSize(w) * h;

  LittleEndianWriter out(offset + image_size);
  out.U8('B');
  out.U8('M');
  out.U32(offset + image_size);
  out.U32(0);  // reserved
  out.U32(offset);

  out.U32(kInfoHeaderSize);
  out.U32(w);
  out.U32(h);  // positive: bottom row first
  out.U16(1);  // planes
  out.U16(kBitsPerPixel);
  out.U32(0);  // BI_RGB
  out.U32(image_size);
  out.U32(kPixelsPerMetreAt96Dpi);
  out.U32(kPixelsPerMetreAt96Dpi);
  out.U32(0);  // colours used
  out.U32(0);  // important colours

  for (std::uint32_t row = h; row-- > 0;) {
    for (const std::uint32_t rgb : pixels.subspan(std::size_t{row} * w, w)) {
      out.U8(static_cast<std::uint8_t>(rgb));        // blue
      out.U8(static_cast<std::uint8_t>(rgb >> 8));   // green
      out.U8(static_cast<std::uint8_t>(rgb >> 16));  // red
    }
    out.Zeros(RowSize(w) - std::size_t{w} * 3);
  }
  return std::move(out).Take();
}

}  // namespace wethrix::imaging
