#include "platform/win32/services/color_picker.hpp"

#include <commdlg.h>

#include "platform/win32/services/check.hpp"
#include "platform/win32/services/colors.hpp"

namespace wethrix::win32 {
namespace {

using ChooseColorFunction = BOOL(WINAPI*)(LPCHOOSECOLORW);

}  // namespace

// The dialog's library is loaded when the dialog is first wanted: most runs never show it, and
// loading it with the program cost every start-up its time.
std::uint32_t Win32ColorPicker::Choose(std::uint32_t initial) {
  if (!dialog_library_) {
    dialog_library_.reset(::LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!dialog_library_) ThrowLastError();
  }
  const FARPROC entry = ::GetProcAddress(dialog_library_.get(), "ChooseColorW");
  if (entry == nullptr) ThrowLastError();
  const auto choose_color = reinterpret_cast<ChooseColorFunction>(reinterpret_cast<void (*)()>(entry));

  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.rgbResult = ToColorRef(initial);
  dialog.lpCustColors = custom_colors_.data();
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!choose_color(&dialog)) return initial;
  return dialog.rgbResult;
}

}  // namespace wethrix::win32
