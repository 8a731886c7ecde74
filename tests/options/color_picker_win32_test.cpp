// The system colour picker, cancelled the way a user would.
#include "platform/win32/services/color_picker.hpp"
#include "tests/options/dialog_driver.hpp"

namespace wethrix {
namespace {

TEST(ColorPickerWin32Test, CancelReturnsTheInitialColourAsGiven) {
  win32::Win32ColorPicker picker;
  for (const std::uint32_t initial : {0x0000FFFFU, 0x8000000FU}) {
    const std::uint32_t chosen =
        test::WithScript({L"", [](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }},
                         [&] { return picker.Choose(initial); });
    EXPECT_EQ(chosen, initial);
  }
}

}  // namespace
}  // namespace wethrix
