#include "platform/win32/services/dialogs.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {

void Win32Dialogs::ShowMessageBox(std::string_view text, std::string_view title, BoxIcon icon) {
  const UINT style = MB_OK | (icon == BoxIcon::kWarning ? MB_ICONEXCLAMATION : 0U);
  ::MessageBoxW(owner_, Widen(text).c_str(), Widen(title.empty() ? title_ : title).c_str(), style);
}

}  // namespace wethrix::win32
