#include "image/icon_reader.hpp"

#include <algorithm>

#include "image/icon_layout.hpp"
#include "image/little_endian.hpp"

namespace wethrix::imaging {
namespace {

struct Layout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint64_t colours = 0;  // offset of the bottom-up BGRA rows
  std::uint64_t mask = 0;     // offset of the AND mask
  std::uint64_t mask_size = 0;
};

bool IsSide(std::uint32_t side) {
  return side >= 1 && side <= static_cast<std::uint32_t>(kMaxIconSide);
}

std::optional<Layout> OneOpaqueImage(const LittleEndianReader& in) {
  if (!in.Has(0, kIconDirectorySize) || in.U16(0) != 0 || in.U16(2) != 1 || in.U16(4) != 1) {
    return std::nullopt;
  }
  const std::uint32_t header = in.U32(18);
  if (!in.Has(header, kIconInfoHeaderSize) || in.U32(header) != kIconInfoHeaderSize) return std::nullopt;
  const std::uint32_t width = in.U32(header + 4);
  const std::uint32_t stacked = in.U32(header + 8);  // colour rows, then mask rows
  if (!IsSide(width) || stacked % 2 != 0 || !IsSide(stacked / 2) || in.U16(header + 12) != 1 ||
      in.U16(header + 14) != 32 || in.U32(header + 16) != 0) {
    return std::nullopt;
  }
  const std::uint32_t height = stacked / 2;
  Layout layout{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
  layout.colours = std::uint64_t{header} + kIconInfoHeaderSize;
  layout.mask = layout.colours + IconColourBytes(width, height);
  layout.mask_size = IconMaskBytes(width, height);
  if (!in.Has(layout.colours, layout.mask + layout.mask_size - layout.colours)) return std::nullopt;
  return layout;
}

}  // namespace

std::optional<Image> ReadOpaqueIcon(std::span<const std::uint8_t> file) {
  const LittleEndianReader in(file);
  const std::optional<Layout> layout = OneOpaqueImage(in);
  if (!layout) return std::nullopt;
  const auto mask = in.Bytes(layout->mask, layout->mask_size);
  if (std::any_of(mask.begin(), mask.end(), [](std::uint8_t bits) { return bits != 0; })) return std::nullopt;
  const auto colours = in.Bytes(layout->colours, layout->mask - layout->colours);
  Image image{layout->width, layout->height, {}};
  image.pixels.resize(static_cast<std::size_t>(layout->width) * static_cast<std::size_t>(layout->height));
  const std::uint8_t* bgra = colours.data();
  for (std::int32_t y = layout->height - 1; y >= 0; --y) {
    Rgb* row = &image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(layout->width)];
    for (std::int32_t x = 0; x < layout->width; ++x, bgra += 4) {
      if (bgra[3] != kOpaqueAlpha) return std::nullopt;
      row[x] = {bgra[2], bgra[1], bgra[0]};
    }
  }
  return image;
}

}  // namespace wethrix::imaging
