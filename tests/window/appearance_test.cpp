// The colour pass and the skin on the real main window, seen in its controls and on screen.
#include "options/appearance.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "options/palette_skin.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_system_colors.hpp"
#include "platform/win32/services/file_system.hpp"
#include "platform/win32/services/wide.hpp"
#include "platform/win32/windows/main_window.hpp"
#include "tests/window/window_test_support.hpp"

namespace wethrix::win32 {
namespace {

constexpr char kFolder[] = R"(C:\Apps\Wethrix)";
constexpr char kSkinFile[] = R"(C:\Apps\Wethrix\x\o.cjs)";
using testing::kWhite;
constexpr COLORREF kSkinWindow = 0x00302010;  // window=#102030

class AppearanceTest : public ::testing::Test {
 protected:
  AppearanceTest() { window_.Show(); }

  void WriteSkin(bool hidden) {
    const std::string text = "window=#102030\ntext=#FFFFFF\n";
    files_.files[kSkinFile] = Bytes(text.begin(), text.end());
    if (hidden) files_.hidden.emplace_back(kSkinFile);
  }

  // Controls whose colour is not the designed one, by name.
  [[nodiscard]] std::map<std::string, Color> Recoloured() {
    std::map<std::string, Color> changed;
    if (window_.BackColor() != kWhite) changed["Form1"] = window_.BackColor();
    for (const auto* control : window_.Controls()) {
      const bool designed_white =
          control->Kind() != ControlKind::kPushButton && control->Kind() != ControlKind::kTextBox;
      const Color designed = designed_white                                ? kWhite
                             : control->Kind() == ControlKind::kPushButton ? kButtonFace
                                                                           : kWindowColor;
      if (control->BackColor() != designed) changed[control->Name()] = control->BackColor();
    }
    return changed;
  }

  // Whether the screen shows `color` anywhere in this part of the client area.
  [[nodiscard]] bool Shows(const RECT& area, COLORREF color) const {
    bool shown = Screen(area.left, area.top) == color;
    const HDC dc = ::GetDC(window_.Hwnd());
    for (LONG y = area.top; y < area.bottom && !shown; ++y) {
      for (LONG x = area.left; x < area.right && !shown; ++x) shown = ::GetPixel(dc, x, y) == color;
    }
    ::ReleaseDC(window_.Hwnd(), dc);
    return shown;
  }

  // What the screen shows at a point of the window's client area.
  [[nodiscard]] COLORREF Screen(int x, int y) const {
    ::UpdateWindow(window_.Hwnd());
    ::RedrawWindow(window_.Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing::Settle();
    const HDC dc = ::GetDC(window_.Hwnd());
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(window_.Hwnd(), dc);
    return color;
  }

  // The desktop's scheme until a test switches it: Wine keeps the system's per process.
  fakes::FakeSystemColors system_;
  MainWindow window_{::GetModuleHandleW(nullptr), system_};
  fakes::FakeFileSystem files_;
  PaletteSkin skin_{files_, window_.SkinApplier()};
};

// Points of the client area at 96 DPI: between the top button and the first frame, inside
// Frame2 below its controls, in Label1 after its text, in the font colour swatch.
constexpr POINT kBackground{4, 37};
constexpr POINT kInFrame{12, 88};
constexpr POINT kInLabel{300, 70};
constexpr POINT kInSwatch{101, 290};
constexpr POINT kInButton{12, 20};            // PushButton5, left of its caption
constexpr RECT kLabel1Text{24, 63, 100, 78};  // "San Diego"

// What a pass to the button face recolours: the form and its white controls but the swatches.
std::map<std::string, Color> ButtonFaced() {
  return {
      {"Form1", kButtonFace},     {"Frame2", kButtonFace},    {"Label1", kButtonFace},
      {"Frame4", kButtonFace},    {"Label2", kButtonFace},    {"Frame3", kButtonFace},
      {"Option4", kButtonFace},   {"Option5", kButtonFace},   {"Frame1", kButtonFace},
      {"Check3", kButtonFace},    {"Check8", kButtonFace},    {"Frame7", kButtonFace},
      {"Label3(1)", kButtonFace}, {"Label3(2)", kButtonFace}, {"Label3(3)", kButtonFace},
  };
}

TEST_F(AppearanceTest, WithoutASkinFileTheWindowStaysWhite) {
  ApplySkin(window_, skin_, files_, kFolder);
  EXPECT_TRUE(Recoloured().empty());
  for (const POINT point : {kBackground, kInFrame, kInLabel, kInSwatch}) {
    EXPECT_EQ(Screen(point.x, point.y), kWhite) << point.x << "," << point.y;
  }
}

TEST_F(AppearanceTest, AHiddenSkinFileCountsAsAbsent) {
  WriteSkin(true);
  ApplySkin(window_, skin_, files_, kFolder);
  EXPECT_TRUE(Recoloured().empty());
  EXPECT_EQ(Screen(kInFrame.x, kInFrame.y), kWhite);
}

TEST_F(AppearanceTest, WithTheSkinFileTheFormsKindsTakeTheSkinsFace) {
  WriteSkin(false);
  ApplySkin(window_, skin_, files_, kFolder);
  EXPECT_EQ(Recoloured(), ButtonFaced());
  EXPECT_EQ(Screen(kBackground.x, kBackground.y), kSkinWindow);
  EXPECT_EQ(Screen(kInFrame.x, kInFrame.y), kSkinWindow);
  EXPECT_EQ(Screen(kInLabel.x, kInLabel.y), kSkinWindow);
  EXPECT_EQ(Screen(kInSwatch.x, kInSwatch.y), kWhite);
}

TEST_F(AppearanceTest, TheColourPassAloneGivesTheSystemButtonFace) {
  ApplyFormColors(window_);
  EXPECT_EQ(Recoloured(), ButtonFaced());
  EXPECT_EQ(Screen(kInFrame.x, kInFrame.y), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Screen(kInLabel.x, kInLabel.y), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Screen(kInSwatch.x, kInSwatch.y), kWhite);
}

// The theme's colours replace the skin's while it is on, and the window follows the switch as it
// runs; the swatches show the user's colours in every theme.
TEST_F(AppearanceTest, AHighContrastThemeWinsOverTheSkinWhileItIsOnButNotOverTheUsersColours) {
  const std::string text = "window=#102030\ntext=#FFFFFF\nbutton=#405060\n";
  files_.files[kSkinFile] = Bytes(text.begin(), text.end());
  ApplySkin(window_, skin_, files_, kFolder);
  constexpr COLORREF kSkinButton = 0x00605040;
  ASSERT_EQ(Screen(kInButton.x, kInButton.y), kSkinButton);
  constexpr COLORREF kThemeFace = 0x00000000;
  constexpr COLORREF kThemeText = 0x0000FFFF;
  system_.values = {{COLOR_BTNFACE, kThemeFace}, {COLOR_WINDOWTEXT, kThemeText}};

  system_.high_contrast = true;
  // Sent by any process: its parameters are never followed.
  ::SendMessageW(window_.Hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 1);
  for (const POINT point : {kBackground, kInFrame, kInLabel}) {
    EXPECT_EQ(Screen(point.x, point.y), kThemeFace) << point.x << "," << point.y;
  }
  EXPECT_TRUE(Shows(kLabel1Text, kThemeText)) << "the label's text in the theme's";
  EXPECT_NE(Screen(kInButton.x, kInButton.y), kSkinButton) << "the system draws the push buttons";
  EXPECT_EQ(Screen(kInSwatch.x, kInSwatch.y), kWhite);

  system_.high_contrast = false;
  ::SendMessageW(window_.Hwnd(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_EQ(Screen(kInFrame.x, kInFrame.y), kSkinWindow);
  EXPECT_EQ(Screen(kInButton.x, kInButton.y), kSkinButton);
}

// The attribute rule on a real disk: a hidden file is not there, a plain one is.
TEST_F(AppearanceTest, OnDiskAHiddenSkinFileIsAbsentAndAPlainOneIsUsed) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::string folder = Narrow(temp) + "wethrix-skin-test";
  const std::wstring file = Widen(SkinFilePath(folder));
  Win32FileSystem disk;
  disk.CreateFolders(folder + "\\x");
  const std::string text = "window=#102030\n";
  disk.Write(Narrow(file), Bytes(text.begin(), text.end()));
  PaletteSkin skin(disk, window_.SkinApplier());

  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ApplySkin(window_, skin, disk, folder);
  EXPECT_TRUE(Recoloured().empty());

  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL));
  ApplySkin(window_, skin, disk, folder);
  EXPECT_EQ(Recoloured(), ButtonFaced());
  EXPECT_EQ(Screen(kInFrame.x, kInFrame.y), kSkinWindow);

  disk.Remove(Narrow(file));
  ::RemoveDirectoryW(Widen(folder + "\\x").c_str());
  ::RemoveDirectoryW(Widen(folder).c_str());
}

}  // namespace
}  // namespace wethrix::win32
