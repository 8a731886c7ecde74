#include "platform/win32/color_picker.hpp"

#include <commdlg.h>

#include "platform/win32/colors.hpp"

namespace wethrix::win32 {

std::uint32_t Win32ColorPicker::Choose(std::uint32_t initial) {
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.rgbResult = ToColorRef(initial);
  dialog.lpCustColors = custom_colors_.data();
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!::ChooseColorW(&dialog)) return initial;
  return dialog.rgbResult;
}

}  // namespace wethrix::win32
