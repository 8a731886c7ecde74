#include "image/icon_writer.hpp"

#include <string>

#include "image/bitmap_reader.hpp"
#include "image/little_endian.hpp"
#include "platform/errors.hpp"

namespace wethrix::imaging {
namespace {

// The directory stores 256 as 0.
std::uint8_t DirectorySide(std::uint32_t side) {
  return static_cast<std::uint8_t>(side == 256 ? 0 : side);
}

}  // namespace

std::vector<std::uint8_t> WriteIcon(const Image& image) {
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxIconSide || image.height > kMaxIconSide) {
    throw AppError(error_number::kInvalidPicture, "an icon holds 1 to 256 pixels on a side, the picture is " +
                                                      std::to_string(image.width) + " by " +
                                                      std::to_string(image.height));
  }
  const auto width = static_cast<std::uint32_t>(image.width);
  const auto height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t colour_size = IconColourBytes(width, height);
  const std::uint32_t mask_size = IconMaskBytes(width, height);
  const std::uint32_t image_size = IconImageBytes(width, height);

  LittleEndianWriter out(kIconDirectorySize + image_size);
  out.U16(0);  // reserved
  out.U16(1);  // icon
  out.U16(1);  // one image
  out.U8(DirectorySide(width));
  out.U8(DirectorySide(height));
  out.U8(0);  // no palette
  out.U8(0);
  out.U16(1);   // planes
  out.U16(32);  // bits per pixel
  out.U32(image_size);
  out.U32(kIconDirectorySize);

  out.U32(kIconInfoHeaderSize);
  out.U32(width);
  out.U32(height * 2);  // colour rows, then mask rows
  out.U16(1);
  out.U16(32);
  out.U32(0);  // BI_RGB
  out.U32(colour_size + mask_size);
  out.Zeros(16);  // resolution and palette counts

  for (std::int32_t y = image.height - 1; y >= 0; --y) {
    for (std::int32_t x = 0; x < image.width; ++x) {
      const Rgb& pixel = image.At(x, y);
      out.U8(pixel.blue);
      out.U8(pixel.green);
      out.U8(pixel.red);
      out.U8(kOpaqueAlpha);
    }
  }
  out.Zeros(mask_size);  // a clear AND mask: nothing shows through
  return std::move(out).Take();
}

std::vector<std::uint8_t> IconFileOfBitmapFile(std::span<const std::uint8_t> bitmap_file) {
  return WriteIcon(ReadBitmap(bitmap_file));
}

}  // namespace wethrix::imaging
