#include "platform/win32/services/tray_icon_size.hpp"

#include <vector>

#include "image/icon_layout.hpp"
#include "image/icon_writer.hpp"
#include "image/resample.hpp"
#include "platform/win32/services/check.hpp"

namespace wethrix::win32 {
namespace {

UINT TaskbarDpi() {
  const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  const UINT dpi = taskbar != nullptr ? ::GetDpiForWindow(taskbar) : 0;
  return dpi != 0 ? dpi : ::GetDpiForSystem();
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

unique_hicon OpaqueIconOfSize(const imaging::Image& image, SIZE size) {
  if (image.width == size.cx && image.height == size.cy) return OpaqueIcon(image);
  return OpaqueIcon(imaging::ResampleByAreaAverage(image, size.cx, size.cy));
}

}  // namespace wethrix::win32
