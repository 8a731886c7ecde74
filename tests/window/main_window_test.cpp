#include "platform/win32/windows/main_window.hpp"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/errors.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/wide.hpp"
#include "tests/window/window_test_support.hpp"

namespace wethrix::win32 {
namespace {

using testing::PumpUntil;
using testing::RectInParent;

class RecordingEvents final : public MainViewEvents {
 public:
  void Form_Activate() override { events.emplace_back("Form_Activate"); }
  void Form_Resize() override { events.emplace_back("Form_Resize"); }
  void Form_QueryUnload() override { events.emplace_back("Form_QueryUnload"); }
  void Form_Unload() override {
    events.emplace_back("Form_Unload");
    window_gone = hwnd != nullptr && ::IsWindow(hwnd) == FALSE;
  }
  void PushButton4_Click() override { events.emplace_back("PushButton4_Click"); }
  void PushButton5_Click() override { events.emplace_back("PushButton5_Click"); }
  void PushButton7_Click() override { events.emplace_back("PushButton7_Click"); }
  void PushButton8_Click() override { events.emplace_back("PushButton8_Click"); }
  void Option4_Click() override { events.emplace_back("Option4_Click"); }
  void Option5_Click() override { events.emplace_back("Option5_Click"); }
  void Check3_Click() override { events.emplace_back("Check3_Click"); }
  void Check8_Click() override { events.emplace_back("Check8_Click"); }
  void Text2_Change() override { events.emplace_back("Text2_Change"); }
  void MouseMove(MainControl control) override { moves.push_back(control); }
  void PowerResumed() override { events.emplace_back("PowerResumed"); }
  void AnotherCopyStarted() override { events.emplace_back("AnotherCopyStarted"); }
  [[nodiscard]] bool Saw(const std::string& event) const {
    return std::ranges::find(events, event) != events.end();
  }
  std::vector<std::string> events;
  std::vector<MainControl> moves;
  HWND hwnd = nullptr;
  bool window_gone = false;
};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { window_.SetEvents(&events_); }
  [[nodiscard]] HWND Child(std::string_view name) const { return window_.ControlHandle(name); }
  [[nodiscard]] std::string TextOf(std::string_view name) const {
    wchar_t text[256] = {};
    ::GetWindowTextW(Child(name), text, 256);
    return Narrow(text);
  }
  [[nodiscard]] static LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
  }
  void Click(std::string_view name) const { ::SendMessageW(Child(name), BM_CLICK, 0, 0); }

  MainWindow window_{::GetModuleHandleW(nullptr)};
  RecordingEvents events_;
};

TEST_F(MainWindowTest, EveryControlIsAtItsDesignedPlaceAt96Dpi) {
  struct Case {
    const char* name;
    const wchar_t* window_class;
    const char* text;
    PixelRect rect;
    int font_height;  // 0: draws with a font of its own
    bool visible;
  };
  const Case cases[] = {
      {"PushButton5", L"Button", "Getting Started / Enter Your API Key", {8, 8, 520, 27}, -15, true},
      {"Frame2", L"Button", "Location:", {8, 40, 520, 55}, -12, true},
      {"Label1", L"Static", "San Diego", {24, 63, 337, 15}, -12, true},
      {"PushButton4", L"Button", "Change Location", {376, 58, 137, 25}, -15, true},
      {"Frame4", L"Button", "Current temperature:", {8, 100, 520, 51}, -12, true},
      {"Label2", L"Static", "The current temperature in San Diego is 78", {24, 122, 491, 15}, -12, true},
      {"Text2", L"Edit", "Text1", {448, 118, 57, 23}, -12, false},
      {"Frame3", L"Button", "Units:", {8, 156, 520, 47}, -12, true},
      {"Option4", L"Button", "Fahrenheit", {24, 176, 89, 17}, -12, true},
      {"Option5", L"Button", "Celsius", {144, 176, 89, 17}, -12, true},
      {"Frame1", L"Button", "Startup Options", {8, 207, 520, 49}, -12, true},
      {"Check3", L"Button", "Load this software on Windows startup", {24, 227, 262, 19}, -12, true},
      {"Check8", L"Button", "Start in system tray", {280, 227, 156, 19}, -12, true},
      {"Frame7", L"Button", "System Tray Icon Colors", {8, 260, 520, 53}, -12, true},
      {"Label3(1)", L"Static", "Font Color:", {24, 282, 60, 15}, -12, true},
      {"Picture2", L"WethrixPictureBox", "", {88, 277, 27, 27}, 0, true},
      {"PushButton7", L"Button", "Change", {121, 277, 76, 27}, -15, true},
      {"Label3(2)", L"Static", "Background Color:", {205, 282, 105, 15}, -12, true},
      {"Picture3", L"WethrixPictureBox", "", {315, 277, 27, 27}, 0, true},
      {"PushButton8", L"Button", "Change", {348, 277, 76, 27}, -15, true},
      {"Label3(3)", L"Static", "Sample:", {433, 282, 46, 15}, -12, true},
      {"Picture4", L"WethrixPictureBox", "", {484, 276, 27, 27}, 0, true},
      {"Picture1", L"WethrixPictureBox", "", {200, 0, 32, 33}, 0, false},
  };
  ASSERT_EQ(window_.Controls().size(), std::size(cases));
  std::size_t position = 0;  // in the window's own order
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(window_.Controls()[position++]->Name(), c.name);
    const HWND control = Child(c.name);
    ASSERT_NE(control, nullptr);
    wchar_t window_class[64] = {};
    ::GetClassNameW(control, window_class, 64);
    EXPECT_STREQ(window_class, c.window_class);
    EXPECT_EQ(TextOf(c.name), c.text);
    EXPECT_EQ(RectInParent(control), c.rect);
    EXPECT_EQ((::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0, c.visible);
    if (c.font_height == 0) continue;
    const LOGFONTW font = FontOf(control);
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(font.lfHeight, c.font_height);
    EXPECT_EQ(font.lfWeight, 700);
  }
  RECT client;
  ::GetClientRect(window_.Hwnd(), &client);
  EXPECT_EQ(client.right, 536);
  EXPECT_EQ(client.bottom, 321);
}

TEST_F(MainWindowTest, AFreshWindowHoldsTheDesignValues) {
  EXPECT_TRUE(window_.Option4());
  EXPECT_FALSE(window_.Option5());
  EXPECT_FALSE(window_.Check3());
  EXPECT_FALSE(window_.Check8());
  EXPECT_TRUE(window_.Check8Visible());
  EXPECT_EQ(window_.Label1(), "San Diego");
  EXPECT_EQ(window_.Text2(), "Text1");
  EXPECT_EQ(window_.PushButton5Caption(), "Getting Started / Enter Your API Key");
  EXPECT_EQ(window_.BackColor(), 0x00FFFFFFU);
  for (int index = 2; index <= 4; ++index) EXPECT_EQ(window_.Picture(index).BackColor(), 0x00FFFFFFU);
  EXPECT_FALSE(window_.Visible());
  EXPECT_FALSE(window_.Timer1().Enabled() && window_.Timer1().Interval().count() > 0);
  EXPECT_THROW(static_cast<void>(window_.Picture(5)), AppError);
}

TEST_F(MainWindowTest, UserClicksRaiseEventsAndSettersDoNot) {
  window_.Show();
  events_.events.clear();
  for (const char* name :
       {"PushButton4", "PushButton5", "PushButton7", "PushButton8", "Option5", "Check3", "Check8"}) {
    Click(name);
  }
  EXPECT_EQ(events_.events,
            (std::vector<std::string>{"PushButton4_Click", "PushButton5_Click", "PushButton7_Click",
                                      "PushButton8_Click", "Option5_Click", "Check3_Click", "Check8_Click"}));
  EXPECT_TRUE(window_.Option5());
  EXPECT_FALSE(window_.Option4());
  EXPECT_TRUE(window_.Check3());

  events_.events.clear();
  window_.SetOption4(true);
  window_.SetCheck3(false);
  window_.SetCheck8(true);
  window_.SetText2(
      "78 \xC2\xB0"
      "F");
  window_.SetLabel2(
      "The current temperature in San Diego is 78 \xC2\xB0"
      "F");
  EXPECT_TRUE(events_.events.empty());
  EXPECT_TRUE(window_.Option4());
  EXPECT_FALSE(window_.Option5());
  EXPECT_EQ(window_.Text2(),
            "78 \xC2\xB0"
            "F");
  EXPECT_EQ(window_.Label2(),
            "The current temperature in San Diego is 78 \xC2\xB0"
            "F");
}

// The window keeps the texts it has read; what the user types must still be what it reads.
TEST_F(MainWindowTest, TypingInTheTextBoxRaisesItsChange) {
  window_.SetText2("12");
  EXPECT_EQ(window_.Text2(), "12");
  ::SendMessageW(Child("Text2"), WM_CHAR, L'7', 0);
  EXPECT_EQ(events_.events, std::vector<std::string>{"Text2_Change"});
  EXPECT_EQ(window_.Text2(), TextOf("Text2"));
  EXPECT_NE(window_.Text2(), "12");
}

TEST_F(MainWindowTest, MouseMovesReportTheBackgroundFramesAndPushButtonsOnly) {
  struct Case {
    const char* name;  // nullptr: the window itself
    std::vector<MainControl> reported;
  };
  const Case cases[] = {
      {nullptr, {MainControl::kBackground}},
      {"Frame1", {MainControl::kFrame1}},
      {"Frame2", {MainControl::kFrame2}},
      {"Frame3", {MainControl::kFrame3}},
      {"Frame4", {MainControl::kFrame4}},
      {"Frame7", {MainControl::kFrame7}},
      {"PushButton4", {MainControl::kPushButton4}},
      {"PushButton5", {MainControl::kPushButton5}},
      {"PushButton7", {MainControl::kPushButton7}},
      {"PushButton8", {MainControl::kPushButton8}},
      {"Label1", {}},
      {"Label3(2)", {}},
      {"Option4", {}},
      {"Check3", {}},
      {"Picture4", {}},
  };
  for (const auto& c : cases) {
    events_.moves.clear();
    ::SendMessageW(c.name != nullptr ? Child(c.name) : window_.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(events_.moves, c.reported) << (c.name != nullptr ? c.name : "window");
  }
}

TEST_F(MainWindowTest, TheWindowsPointerShowsOverEveryControl) {
  struct Case {
    MousePointer pointer;
    const wchar_t* cursor;
  };
  const Case cases[] = {{MousePointer::kHourglass, IDC_WAIT},
                        {MousePointer::kCustom, IDC_HAND},
                        {MousePointer::kDefault, IDC_ARROW}};
  for (const auto& c : cases) {
    window_.SetPointer(c.pointer);
    EXPECT_EQ(window_.Pointer(), c.pointer);
    for (const char* name : {"Label1", "PushButton4", "Frame3", "Option5", "Picture4"}) {
      ::SetCursor(nullptr);
      const HWND control = Child(name);
      ::SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, c.cursor)) << name;
    }
  }
}

TEST_F(MainWindowTest, AMissingCustomPointerFileFails) {
  EXPECT_THROW(window_.SetCustomPointerFile("C:\\nowhere\\HAND-M.CUR"), AppError);
}

TEST_F(MainWindowTest, ClosingRaisesQueryUnloadOnceThenEndsTheLoop) {
  window_.Show();
  const HWND hwnd = window_.Hwnd();
  window_.Close();
  bool quit = false;
  MSG msg;
  while (!quit && ::GetMessageW(&msg, nullptr, 0, 0) >= 0) {
    quit = msg.message == WM_QUIT;
    if (!quit && !window_.PreTranslate(msg)) ::DispatchMessageW(&msg);
  }
  EXPECT_TRUE(quit);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(std::ranges::count(events_.events, "Form_QueryUnload"), 1);
}

TEST_F(MainWindowTest, OnlyTheEndOfTheSessionUnloadsTheWindowNotItsQueryNorItsCancel) {
  events_.hwnd = window_.Hwnd();
  EXPECT_TRUE(::SendMessageW(window_.Hwnd(), WM_QUERYENDSESSION, 0, 0));
  ::SendMessageW(window_.Hwnd(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(events_.events, std::vector<std::string>{}) << "another program may cancel the end";
  ::SendMessageW(window_.Hwnd(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(events_.events, (std::vector<std::string>{"Form_QueryUnload", "Form_Unload"}));
  EXPECT_TRUE(events_.window_gone) << "the program ends only once its window has gone";
  EXPECT_EQ(window_.Hwnd(), nullptr);
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// What a COM object answers QueryInterface for never changes, not even once its window has gone.
TEST_F(MainWindowTest, TheWindowsAccessibleObjectListsItsChildrenAfterTheWindowHasGoneAsNone) {
  IAccessible* object = nullptr;
  ASSERT_EQ(::AccessibleObjectFromWindow(window_.Hwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
            S_OK);
  const unique_com<IAccessible> form(object);
  ::DestroyWindow(window_.Hwnd());
  IEnumVARIANT* list = nullptr;
  ASSERT_EQ(form.get()->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&list)), S_OK);
  const unique_com<IEnumVARIANT> children(list);
  VARIANT child{};
  ULONG got = 1;
  EXPECT_EQ(children.get()->Next(1, &child, &got), S_FALSE);
  EXPECT_EQ(got, 0U);
}

TEST_F(MainWindowTest, OnlyAShownWindowGainingTheActivationRaisesActivate) {
  ::SendMessageW(window_.Hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(events_.Saw("Form_Activate")) << "hidden, as when a box it owns closes";
  ::ShowWindow(window_.Hwnd(), SW_SHOWNOACTIVATE);
  events_.events.clear();
  ::SendMessageW(window_.Hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
  ::SendMessageW(window_.Hwnd(), WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, TRUE), 0);
  EXPECT_FALSE(events_.Saw("Form_Activate")) << "lost, or gained while minimised";
  ::SendMessageW(window_.Hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(events_.Saw("Form_Activate"));
}

TEST_F(MainWindowTest, ResumingFromSleepIsReported) {
  ::SendMessageW(window_.Hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  ::SendMessageW(window_.Hwnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  EXPECT_EQ(events_.events, std::vector<std::string>{"PowerResumed"});
}

TEST_F(MainWindowTest, AStateSetWhileHiddenIsTheStateShownWith) {
  window_.SetState(WindowState::kMinimized);
  EXPECT_EQ(window_.State(), WindowState::kMinimized);
  window_.Show();
  EXPECT_TRUE(::IsIconic(window_.Hwnd()));
  EXPECT_TRUE(events_.Saw("Form_Resize"));
  window_.Hide();
  window_.SetState(WindowState::kNormal);
  window_.Show();
  EXPECT_FALSE(::IsIconic(window_.Hwnd()));
  EXPECT_EQ(window_.State(), WindowState::kNormal);
}

TEST_F(MainWindowTest, Check8KeepsItsOwnVisibilityWhileTheWindowIsHidden) {
  window_.SetCheck8Visible(false);
  EXPECT_FALSE(window_.Check8Visible());
  window_.SetCheck8Visible(true);
  EXPECT_TRUE(window_.Check8Visible());
}

TEST_F(MainWindowTest, Timer1TicksOnlyWithAnIntervalWhileEnabled) {
  int ticks = 0;
  window_.Timer1().OnTick([&] { ++ticks; });
  window_.Timer1().SetInterval(std::chrono::milliseconds(10));
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  window_.Timer1().SetEnabled(false);
  const int stopped_at = ticks;
  ::SendMessageW(window_.Hwnd(), WM_TIMER, 1, 0);  // one already queued does not count
  EXPECT_EQ(ticks, stopped_at);
}

TEST_F(MainWindowTest, ANewDpiScalesPlacesAndFonts) {
  RECT suggested{10, 10, 900, 600};
  ::SendMessageW(window_.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(RectInParent(Child("PushButton5")), (PixelRect{12, 12, 780, 41}));
  EXPECT_EQ(RectInParent(Child("Picture4")), (PixelRect{726, 414, 41, 41}));
  EXPECT_EQ(FontOf(Child("PushButton5")).lfHeight, -23);
  EXPECT_EQ(FontOf(Child("Label1")).lfHeight, -18);
  RECT window;
  ::GetWindowRect(window_.Hwnd(), &window);
  EXPECT_EQ(window.right - window.left, 890);
}

// Sent by some other program: a DPI no screen has is ignored; a place off every screen, or of
// another size than the form's, gives way to the form's own size where it is.
TEST_F(MainWindowTest, AnImplausibleDpiOrPlaceIsNotTaken) {
  RECT before{};
  ::GetWindowRect(window_.Hwnd(), &before);
  RECT plausible{10, 10, 900, 600};
  for (const WPARAM dpi :
       {MAKEWPARAM(0, 0), MAKEWPARAM(144, 96), MAKEWPARAM(96, 96), MAKEWPARAM(9600, 9600)}) {
    ::SendMessageW(window_.Hwnd(), WM_DPICHANGED, dpi, reinterpret_cast<LPARAM>(&plausible));
    RECT after{};
    ::GetWindowRect(window_.Hwnd(), &after);
    EXPECT_TRUE(::EqualRect(&after, &before)) << std::hex << dpi;
    EXPECT_EQ(FontOf(Child("Label1")).lfHeight, -12) << std::hex << dpi;
  }
  RECT wild{-40000, -40000, 40000, 40000};
  ::SendMessageW(window_.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&wild));
  EXPECT_EQ(FontOf(Child("Label1")).lfHeight, -18);
  RECT after{};
  ::GetWindowRect(window_.Hwnd(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_LT(after.right - after.left, 1000);
}

TEST_F(MainWindowTest, KeyboardTabsThroughTheControlsTopToBottom) {
  window_.Show();
  ::SetFocus(Child("PushButton5"));
  std::vector<std::string> order;
  for (int i = 0; i < 8; ++i) {
    MSG tab{window_.Hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(window_.PreTranslate(tab));
    for (const auto* control : window_.Controls()) {
      if (window_.ControlHandle(control->Name()) == ::GetFocus()) order.push_back(control->Name());
    }
  }
  EXPECT_EQ(order, (std::vector<std::string>{"PushButton4", "Option4", "Check3", "Check8", "PushButton7",
                                             "PushButton8", "PushButton5", "PushButton4"}));
}

TEST_F(MainWindowTest, TheApplicationIconIsSetForBothSizes) {
  window_.SetApplicationIcon();
  window_.SetCaption("Wethrix");
  EXPECT_NE(::SendMessageW(window_.Hwnd(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(::SendMessageW(window_.Hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
  wchar_t caption[32] = {};
  ::GetWindowTextW(window_.Hwnd(), caption, 32);
  EXPECT_STREQ(caption, L"Wethrix");
}

}  // namespace
}  // namespace wethrix::win32
