#include "platform/win32/tray_icon_size.hpp"

#include <cstdint>
#include <vector>

#include "image/icon_layout.hpp"
#include "image/icon_writer.hpp"
#include "image/resample.hpp"
#include "platform/errors.hpp"
#include "platform/win32/check.hpp"
#include "platform/win32/top_down_bitmap.hpp"

namespace wethrix::win32 {
namespace {

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

// Made from the image's part of an icon file in the writer's own layout, as the system's loader
// makes an icon: one call instead of a DIB section, a mask and CreateIconIndirect, each of them
// window-server work under Wine.
unique_hicon OpaqueIcon(const imaging::Image& image) {
  constexpr DWORD kIconFormatVersion = 0x00030000;
  std::vector<std::uint8_t> file = imaging::WriteIcon(image);
  unique_hicon icon(::CreateIconFromResourceEx(file.data() + imaging::kIconDirectorySize,
                                               static_cast<DWORD>(file.size() - imaging::kIconDirectorySize),
                                               TRUE, kIconFormatVersion, image.width, image.height,
                                               LR_DEFAULTCOLOR));
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
