#include "image/bitmap_reader.hpp"

#include <string>

#include "image/little_endian.hpp"
#include "platform/errors.hpp"

namespace wethrix::imaging {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
// Bounds the memory a hostile header can ask for; an icon needs far less.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 24;

[[noreturn]] void Refuse(const std::string& reason) {
  throw AppError(error_number::kInvalidPicture, reason);
}

struct Layout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool top_down = false;
  unsigned bits = 0;
  std::uint32_t colours_used = 0;
  std::uint64_t header_end = 0;
  std::uint64_t pixel_offset = 0;
  std::uint64_t stride = 0;  // bytes per row, padded to four
};

bool IsInfoHeaderSize(std::uint32_t size) {
  // BITMAPINFOHEADER and its longer descendants, all of which start with the same fields.
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsSupportedDepth(unsigned bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

void CheckSize(std::int32_t width, std::int64_t height) {
  if (width <= 0) Refuse("the width " + std::to_string(width) + " is not positive");
  if (height == 0) Refuse("the height is zero");
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels) {
    Refuse("the picture of " + std::to_string(width) + " by " + std::to_string(height) +
           " pixels is too large");
  }
}

Layout ReadLayout(const LittleEndianReader& in) {
  if (in.U16(0) != 0x4D42) Refuse("the file does not start with \"BM\"");
  const std::uint32_t header_size = in.U32(kFileHeaderSize);
  if (!IsInfoHeaderSize(header_size)) {
    Refuse("a header of " + std::to_string(header_size) + " bytes is not supported");
  }
  Layout layout;
  layout.header_end = kFileHeaderSize + header_size;
  static_cast<void>(in.Bytes(0, layout.header_end));
  layout.pixel_offset = in.U32(10);
  layout.width = in.I32(18);
  const std::int64_t height = in.I32(22);
  CheckSize(layout.width, height < 0 ? -height : height);
  layout.top_down = height < 0;
  layout.height = static_cast<std::int32_t>(height < 0 ? -height : height);
  if (in.U16(26) != 1) Refuse("the plane count is not 1");
  layout.bits = in.U16(28);
  if (!IsSupportedDepth(layout.bits)) {
    Refuse(std::to_string(layout.bits) + " bits per pixel are not supported");
  }
  if (in.U32(30) != kUncompressed) Refuse("compressed bitmaps are not supported");
  layout.colours_used = in.U32(46);
  layout.stride = (static_cast<std::uint64_t>(layout.width) * layout.bits + 31) / 32 * 4;
  return layout;
}

std::vector<Rgb> ReadPalette(const LittleEndianReader& in, const Layout& layout) {
  if (layout.bits > 8) return {};
  const std::uint32_t capacity = 1U << layout.bits;
  const std::uint32_t count = layout.colours_used == 0 ? capacity : layout.colours_used;
  if (count > capacity) {
    Refuse(std::to_string(count) + " colours do not fit " + std::to_string(layout.bits) + " bits per pixel");
  }
  const auto entries = in.Bytes(layout.header_end, std::uint64_t{count} * 4);
  std::vector<Rgb> palette;
  palette.reserve(count);
  for (std::size_t i = 0; i < entries.size(); i += 4) {
    palette.push_back({entries[i + 2], entries[i + 1], entries[i]});
  }
  return palette;
}

std::uint32_t IndexAt(std::span<const std::uint8_t> row, std::int32_t x, unsigned bits) {
  const std::size_t bit = static_cast<std::size_t>(x) * bits;
  const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
  return (static_cast<unsigned>(row[bit / 8]) >> shift) & ((1U << bits) - 1);
}

Rgb PixelAt(std::span<const std::uint8_t> row, std::int32_t x, const Layout& layout,
            const std::vector<Rgb>& palette) {
  if (layout.bits > 8) {
    const std::size_t at = static_cast<std::size_t>(x) * (layout.bits / 8);
    return {row[at + 2], row[at + 1], row[at]};
  }
  const std::uint32_t index = IndexAt(row, x, layout.bits);
  if (index >= palette.size()) {
    Refuse("a pixel uses colour " + std::to_string(index) + " of a palette of " +
           std::to_string(palette.size()));
  }
  return palette[index];
}

}  // namespace

Image ReadBitmap(std::span<const std::uint8_t> file) {
  const LittleEndianReader in(file);
  const Layout layout = ReadLayout(in);
  const std::vector<Rgb> palette = ReadPalette(in, layout);
  const std::uint64_t palette_end = layout.header_end + palette.size() * 4;
  if (layout.pixel_offset < palette_end) Refuse("the pixel data overlaps the header");
  const auto data = in.Bytes(layout.pixel_offset, layout.stride * static_cast<std::uint64_t>(layout.height));

  Image image{layout.width, layout.height, {}};
  image.pixels.resize(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height));
  for (std::int32_t stored = 0; stored < layout.height; ++stored) {
    const std::int32_t y = layout.top_down ? stored : layout.height - 1 - stored;
    const auto row = data.subspan(static_cast<std::size_t>(stored) * layout.stride, layout.stride);
    Rgb* out = &image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(layout.width)];
    for (std::int32_t x = 0; x < layout.width; ++x) out[x] = PixelAt(row, x, layout, palette);
  }
  return image;
}

}  // namespace wethrix::imaging
