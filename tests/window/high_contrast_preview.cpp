// Shows the main window or the key dialog under a high-contrast colour set, for the pictures in
// docs/. The process's own system colours become those of a black high-contrast theme, and the
// windows are told that the theme is on: Wine has no switch for it and keeps colours per process.
// Wine's visual style is left out of the controls (a blank theme name is none), as Windows leaves
// out its own under such a theme, so that the controls the system draws take the theme's colours.
// Usage: high_contrast_preview.exe main|key [seconds]; closes after the seconds (default 30).
#include <windows.h>
// after windows.h
#include <uxtheme.h>

#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/win32/services/event_pump.hpp"
#include "platform/win32/services/system_colors.hpp"
#include "platform/win32/windows/key_dialog_window.hpp"
#include "platform/win32/windows/main_window.hpp"

namespace {

using namespace wethrix;

// What the desktop has, except that a high-contrast theme is on.
class HighContrastOn final : public SystemColors {
 public:
  [[nodiscard]] bool HighContrast() const override { return true; }
  [[nodiscard]] std::uint32_t Value(int index) const override { return desktop_.Value(index); }

 private:
  win32::Win32SystemColors desktop_;
};

void UseBlackHighContrastColors() {
  constexpr COLORREF kBlack = RGB(0, 0, 0);
  constexpr COLORREF kWhite = RGB(255, 255, 255);
  const std::array<std::pair<int, COLORREF>, 18> scheme{{
      {COLOR_WINDOW, kBlack},
      {COLOR_WINDOWTEXT, kWhite},
      {COLOR_BTNFACE, kBlack},
      {COLOR_BTNTEXT, kWhite},
      {COLOR_BTNHIGHLIGHT, kWhite},
      {COLOR_BTNSHADOW, RGB(128, 128, 128)},
      {COLOR_3DDKSHADOW, kWhite},
      {COLOR_3DLIGHT, RGB(192, 192, 192)},
      {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
      {COLOR_HIGHLIGHTTEXT, kBlack},
      {COLOR_GRAYTEXT, RGB(63, 242, 63)},
      {COLOR_HOTLIGHT, RGB(255, 255, 0)},
      {COLOR_ACTIVECAPTION, kBlack},
      {COLOR_CAPTIONTEXT, kWhite},
      {COLOR_INACTIVECAPTION, kBlack},
      {COLOR_INACTIVECAPTIONTEXT, RGB(63, 242, 63)},
      {COLOR_WINDOWFRAME, kWhite},
      {COLOR_ACTIVEBORDER, kWhite},
  }};
  std::array<int, scheme.size()> indexes{};
  std::array<COLORREF, scheme.size()> values{};
  for (std::size_t i = 0; i < scheme.size(); ++i) std::tie(indexes.at(i), values.at(i)) = scheme.at(i);
  ::SetSysColors(static_cast<int>(scheme.size()), indexes.data(), values.data());
}

void LeaveOutTheVisualStyle(HWND window) {
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM) {
        ::SetWindowTheme(child, L" ", L" ");
        return TRUE;
      },
      0);
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

// The main window after a refresh, in the default colours of the tray icon.
void ShowAsAfterARefresh(win32::MainWindow& window) {
  constexpr std::string_view kReading =
      "61 \xC2\xB0"
      "F";
  window.SetCaption("Wethrix");
  window.SetApplicationIcon();
  window.SetLabel1("San Diego CA");
  window.SetLabel2("The current temperature in San Diego is " + std::string(kReading));
  window.SetText2(kReading);
  window.Picture(2).SetBackColor(0x0000FFFF);
  window.Picture(3).SetBackColor(0x00000000);
  PictureBox& sample = window.Picture(4);
  sample.SetForeColor(0x0000FFFF);
  sample.SetBackColor(0x00000000);
  sample.SetCurrentX(sample.ScaleWidth() / 2 - sample.TextWidth(kReading) / 2);
  sample.SetCurrentY(sample.ScaleHeight() / 2 - sample.TextHeight(kReading) / 2);
  sample.Print(kReading);
  window.Show();
}

// The key dialog as its loading leaves it, with a key typed and selected.
void ShowAsLoaded(win32::KeyDialogWindow& window) {
  constexpr std::string_view kKey = "0123456789abcdef0123456789abcdef";
  window.Load();
  window.SetCaption("Key Options");
  window.SetApplicationIcon();
  window.SetText1(kKey);
  window.SetText1Selection(0, kKey.size());
  window.Show();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*previous*/, PWSTR lpCmdLine, int /*show*/) {
  const HighContrastOn colors;
  const std::wstring_view arguments(lpCmdLine);
  const bool key_dialog = arguments.starts_with(L"key");

  win32::MainWindow main_window(hInstance, colors);
  win32::KeyDialogWindow key_window(hInstance, colors);
  UseBlackHighContrastColors();  // once a window is there to hear of it
  if (key_dialog) {
    ShowAsLoaded(key_window);
    LeaveOutTheVisualStyle(key_window.Hwnd());
  } else {
    ShowAsAfterARefresh(main_window);
    LeaveOutTheVisualStyle(main_window.Hwnd());
  }

  const std::size_t blank = arguments.find(L' ');
  const int seconds = blank != std::wstring_view::npos ? _wtoi(lpCmdLine + blank + 1) : 30;
  ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000U,
             [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); });
  win32::Win32EventPump pump;
  pump.SetPreTranslate(
      [&](MSG& msg) { return main_window.PreTranslate(msg) || key_window.PreTranslate(msg); });
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) pump.Dispatch(msg);
  return 0;
}
