#include "platform/win32/services/system_colors.hpp"

#include <windows.h>

namespace wethrix::win32 {

bool Win32SystemColors::HighContrast() const {
  HIGHCONTRASTW high_contrast{};
  high_contrast.cbSize = sizeof high_contrast;
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof high_contrast, &high_contrast, 0) != FALSE &&
         (high_contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

std::uint32_t Win32SystemColors::Value(int index) const {
  return ::GetSysColor(index);
}

const SystemColors& DesktopColors() {
  static const Win32SystemColors colors;
  return colors;
}

}  // namespace wethrix::win32
