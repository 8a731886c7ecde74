#include "platform/win32/tray_icon_size.hpp"

#include <cstdint>
#include <vector>

#include "image/resample.hpp"
#include "platform/errors.hpp"
#include "platform/win32/check.hpp"
#include "platform/win32/top_down_bitmap.hpp"

namespace wethrix::win32 {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000U;

UINT TaskbarDpi() {
  const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  const UINT dpi = taskbar != nullptr ? ::GetDpiForWindow(taskbar) : 0;
  return dpi != 0 ? dpi : ::GetDpiForSystem();
}

struct IconBitmaps {
  unique_hbitmap colour;
  unique_hbitmap mask;
};

IconBitmaps BitmapsOf(HICON icon) {
  ICONINFO info{};
  ThrowIfFalse(::GetIconInfo(icon, &info));
  return {unique_hbitmap(info.hbmColor), unique_hbitmap(info.hbmMask)};
}

SIZE SizeOf(HBITMAP bitmap) {
  BITMAP header{};
  if (::GetObjectW(bitmap, sizeof header, &header) != static_cast<int>(sizeof header)) throw InvalidPicture();
  return {header.bmWidth, header.bmHeight};
}

std::size_t PixelCount(SIZE size) {
  return static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy);
}

imaging::Image ReadColours(HBITMAP colour, SIZE size) {
  BITMAPINFO info = TopDownBitmapInfo(size.cx, size.cy);
  std::vector<std::uint32_t> bgra(PixelCount(size));
  const unique_hdc dc(::CreateCompatibleDC(nullptr));
  if (!dc) ThrowLastError();
  if (::GetDIBits(dc.get(), colour, 0, static_cast<UINT>(size.cy), bgra.data(), &info, DIB_RGB_COLORS) !=
      size.cy) {
    throw InvalidPicture();
  }
  imaging::Image image{size.cx, size.cy, {}};
  image.pixels.reserve(bgra.size());
  for (const std::uint32_t pixel : bgra) {
    image.pixels.push_back({static_cast<std::uint8_t>(pixel >> 16U), static_cast<std::uint8_t>(pixel >> 8U),
                            static_cast<std::uint8_t>(pixel)});
  }
  return image;
}

unique_hbitmap OpaqueColourBitmap(const imaging::Image& image) {
  const BITMAPINFO info = TopDownBitmapInfo(image.width, image.height);
  void* bits = nullptr;
  unique_hbitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) ThrowLastError();
  auto* out = static_cast<std::uint32_t*>(bits);
  for (const imaging::Rgb& pixel : image.pixels) {
    *out++ = kOpaque | static_cast<std::uint32_t>(pixel.red) << 16U |
             static_cast<std::uint32_t>(pixel.green) << 8U | pixel.blue;
  }
  return bitmap;
}

// A clear AND mask: nothing of the desktop shows through. Monochrome rows are word aligned.
unique_hbitmap ClearMask(std::int32_t width, std::int32_t height) {
  const std::vector<std::uint8_t> bits(static_cast<std::size_t>((width + 15) / 16 * 2 * height), 0);
  unique_hbitmap mask(::CreateBitmap(width, height, 1, 1, bits.data()));
  if (!mask) ThrowLastError();
  return mask;
}

unique_hicon OpaqueIcon(const imaging::Image& image) {
  const unique_hbitmap colour = OpaqueColourBitmap(image);
  const unique_hbitmap mask = ClearMask(image.width, image.height);
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  unique_hicon icon(::CreateIconIndirect(&info));
  if (!icon) ThrowLastError();
  return icon;
}

}  // namespace

SIZE TraySmallIconSize() {
  const UINT dpi = TaskbarDpi();
  return {::GetSystemMetricsForDpi(SM_CXSMICON, dpi), ::GetSystemMetricsForDpi(SM_CYSMICON, dpi)};
}

unique_hicon FitIcon(unique_hicon icon, SIZE size) {
  const IconBitmaps bitmaps = BitmapsOf(icon.get());
  if (!bitmaps.colour) return icon;
  const SIZE natural = SizeOf(bitmaps.colour.get());
  if (natural.cx == size.cx && natural.cy == size.cy) return icon;
  return OpaqueIconOfSize(ReadColours(bitmaps.colour.get(), natural), size);
}

unique_hicon OpaqueIconOfSize(const imaging::Image& image, SIZE size) {
  if (image.width == size.cx && image.height == size.cy) return OpaqueIcon(image);
  return OpaqueIcon(imaging::ResampleByAreaAverage(image, size.cx, size.cy));
}

}  // namespace wethrix::win32
