// The real key dialog window: its layout at 96 DPI and its wiring to the Form3 logic.
#include <gtest/gtest.h>
#include <windows.h>

#include "options/key_dialog.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_shell.hpp"
#include "platform/win32/windows/key_dialog_window.hpp"
#include "tests/options/dialog_driver.hpp"
#include "tests/window/window_test_support.hpp"

namespace wethrix {
namespace {

using test::TextOf;

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

class KeyDialogWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::GetDpiForSystem() != USER_DEFAULT_SCREEN_DPI) GTEST_SKIP() << "the expected places are for 96 DPI";
  }
  win32::KeyDialogWindow window{::GetModuleHandleW(nullptr)};
};

TEST_F(KeyDialogWindowTest, ControlsSitWhereTheyWereDesigned) {
  struct Case {
    const char* name;
    PixelRect place;  // in client pixels
    int font_height;
  };
  const Case cases[] = {
      {"Frame1", {8, 6, 520, 101}, -12},        {"Label2", {24, 27, 500, 30}, -12},
      {"PushButton1", {24, 66, 488, 27}, -15},  {"Frame3", {8, 112, 520, 59}, -12},
      {"PushButton2", {24, 132, 488, 27}, -15}, {"Frame2", {8, 176, 520, 55}, -12},
      {"Text1", {24, 196, 489, 23}, -12},       {"PushButton6", {8, 240, 520, 27}, -15},
  };
  window.Load();
  RECT client{};
  ::GetClientRect(window.Hwnd(), &client);
  EXPECT_EQ(client.right, 536);
  EXPECT_EQ(client.bottom, 275);
  for (const Case& c : cases) {
    HWND control = window.ControlHandle(c.name);
    EXPECT_EQ(win32::testing::RectInParent(control), c.place) << c.name;
    const LOGFONTW font = FontOf(control);
    EXPECT_EQ(font.lfHeight, c.font_height) << c.name;
    EXPECT_EQ(font.lfWeight, FW_BOLD) << c.name;
    EXPECT_STREQ(font.lfFaceName, L"Arial") << c.name;
  }
}

TEST_F(KeyDialogWindowTest, CaptionsAreTheDesignedOnes) {
  window.Load();
  EXPECT_EQ(TextOf(window.ControlHandle("Label2")),
            L"Please go to https://home.openweathermap.org/users/sign_in/  to get your own key and enter it "
            L"below.");
  EXPECT_EQ(TextOf(window.ControlHandle("PushButton1")),
            L"Open https://home.openweathermap.org/users/sign_in/");
  EXPECT_EQ(TextOf(window.ControlHandle("PushButton2")), L"What is an API key?");
  EXPECT_EQ(TextOf(window.ControlHandle("PushButton6")), L"OK");
  EXPECT_EQ(TextOf(window.ControlHandle("Text1")), L"Text1");
  EXPECT_EQ(window.ControlHandle("Text9"), nullptr) << "a name not in the design, as in the main window";
  EXPECT_EQ(::GetWindowLongPtrW(window.ControlHandle("Label2"), GWL_STYLE) & SS_TYPEMASK, SS_LEFT)
      << "designed two lines high, so the instructions wrap";
}

TEST_F(KeyDialogWindowTest, TabOrderStartsAtText1ThenOk) {
  window.Load();
  HWND text1 = window.ControlHandle("Text1");
  EXPECT_EQ(::GetNextDlgTabItem(window.Hwnd(), nullptr, FALSE), text1);
  EXPECT_EQ(::GetNextDlgTabItem(window.Hwnd(), text1, FALSE), window.ControlHandle("PushButton6"));
}

// The user's actions on the real window reach the dialog's logic.
class KeyDialogFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store.Set("APIKey", "old key");
    window.SetEvents(&form3);
  }
  void Type(wchar_t c) { ::SendMessageW(window.ControlHandle("Text1"), WM_CHAR, c, 1); }
  std::pair<DWORD, DWORD> Selection() {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(window.ControlHandle("Text1"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  win32::KeyDialogWindow window{::GetModuleHandleW(nullptr)};
  fakes::FakeSettingsStore store;
  fakes::FakeDialogs dialogs;
  fakes::FakeShellOpen shell;
  fakes::FakeFileSystem files;
  fakes::FakeEnvironment environment;
  std::vector<bool> refreshes;
  int main_shown = 0;
  Form3 form3{window,
              {store, dialogs, shell, files, environment,
               [this](bool silent) { refreshes.push_back(silent); }, [this] { ++main_shown; }}};
};

TEST_F(KeyDialogFlowTest, TypingStoresEachKeystrokeAndOkReturnsWithTheTextKept) {
  form3.Show();
  EXPECT_EQ(TextOf(window.Hwnd()), L"Key Options");
  EXPECT_EQ(TextOf(window.ControlHandle("Text1")), L"old key");
  ::SetFocus(window.ControlHandle("Text1"));
  EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{7}));
  store.writes.clear();

  Type(L'n');
  Type(L'e');
  Type(L'w');
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"APIKey", "n"}, {"APIKey", "ne"}, {"APIKey", "new"}};
  EXPECT_EQ(store.writes, expected);

  ::SendMessageW(window.ControlHandle("PushButton6"), BM_CLICK, 0, 0);
  EXPECT_EQ(refreshes, std::vector<bool>{true});
  EXPECT_EQ(main_shown, 1);
  EXPECT_FALSE(window.Visible());
  EXPECT_TRUE(dialogs.boxes.empty());

  form3.Show();
  EXPECT_EQ(TextOf(window.ControlHandle("Text1")), L"new");
}

TEST_F(KeyDialogFlowTest, LoadingTurnsFramesAndTheLabelToTheButtonFaceButNotTheKeyField) {
  form3.Show();
  EXPECT_EQ(window.BackColor(), kButtonFace);
  for (FormControl* control : window.Controls()) {
    const Color expected = control->Kind() == ControlKind::kTextBox ? kWindowColor : kButtonFace;
    EXPECT_EQ(control->BackColor(), expected) << control->Name();
  }
}

TEST_F(KeyDialogFlowTest, TheCloseBoxUnloadsWithoutRefreshAndTheAddressesGoToTheShell) {
  form3.Show();
  ::SendMessageW(window.ControlHandle("PushButton1"), BM_CLICK, 0, 0);
  ::SendMessageW(window.ControlHandle("PushButton2"), BM_CLICK, 0, 0);
  ASSERT_EQ(shell.calls.size(), 2U);
  EXPECT_EQ(shell.calls[0].file, "\"https://home.openweathermap.org/users/sign_in/\"");

  ::SendMessageW(window.Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(window.Loaded());
  EXPECT_EQ(main_shown, 1);
  EXPECT_TRUE(refreshes.empty());
}

TEST_F(KeyDialogFlowTest, TheMouseOverAPushButtonShowsTheCustomPointerAndElsewhereTheDefault) {
  form3.Show();
  const auto pointer_over = [this](HWND target) {
    ::SendMessageW(target, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    return window.Pointer();
  };
  for (const char* button : {"PushButton1", "PushButton2", "PushButton6"}) {
    EXPECT_EQ(pointer_over(window.ControlHandle(button)), MousePointer::kCustom) << button;
    EXPECT_EQ(pointer_over(window.Hwnd()), MousePointer::kDefault) << "the dialog after " << button;
  }
  for (const char* other : {"Frame1", "Frame2", "Frame3", "Label2", "Text1"}) {
    pointer_over(window.ControlHandle("PushButton1"));
    EXPECT_EQ(pointer_over(window.ControlHandle(other)), MousePointer::kDefault) << other;
  }
}

TEST_F(KeyDialogFlowTest, EnterConfirmsAndEscapeCloses) {
  form3.Show();
  MSG enter{window.ControlHandle("Text1"), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(window.PreTranslate(enter));
  EXPECT_EQ(refreshes, std::vector<bool>{true});
  EXPECT_FALSE(window.Visible());

  form3.Show();
  MSG escape{window.ControlHandle("Text1"), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  EXPECT_TRUE(window.PreTranslate(escape));
  EXPECT_FALSE(window.Loaded());
  EXPECT_EQ(refreshes.size(), 1U) << "closing starts no refresh";
}

}  // namespace
}  // namespace wethrix
