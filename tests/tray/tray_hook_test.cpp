#include "platform/win32/services/tray_hook.hpp"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_tray.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "tray/sys_tray.hpp"

namespace wethrix::win32 {
namespace {

constexpr UINT kProbe = WM_USER + 7;

struct Seen {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

// The procedures the hook replaces: each records what reaches it and answers recognisably.
std::vector<Seen> seen;

LRESULT CALLBACK FirstProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kTrayCallbackMessage && message != kProbe) {
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  seen.push_back({message, wparam, lparam});
  return 7000 + lparam;
}

LRESULT CALLBACK SecondProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kProbe) return ::DefWindowProcW(window, message, wparam, lparam);
  return 9000 + lparam;
}

unique_hwnd MakeWindow(const wchar_t* class_name, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.lpszClassName = class_name;
  ::RegisterClassExW(&window_class);
  return unique_hwnd(::CreateWindowExW(0, class_name, L"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr));
}

class TrayHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seen.clear();
    ASSERT_TRUE(window_);
    tray_.OnMouseMove([this](std::int32_t id) { Raise("move", 0, id); });
    tray_.OnMouseDown([this](TrayButton b, std::int32_t id) { Raise("down", static_cast<int>(b), id); });
    tray_.OnMouseUp([this](TrayButton b, std::int32_t id) { Raise("up", static_cast<int>(b), id); });
    tray_.OnMouseDblClick(
        [this](TrayButton b, std::int32_t id) { Raise("dblclick", static_cast<int>(b), id); });
  }
  // Also notes how many messages the replaced procedure had seen when the event ran.
  void Raise(const char* kind, int button, std::int32_t id) {
    raised_.push_back(std::string(kind) + " " + std::to_string(button) + " " + std::to_string(id) +
                      " after " + std::to_string(seen.size()));
  }
  LRESULT Send(UINT message, WPARAM wparam, LPARAM lparam) {
    return ::SendMessageW(window_.get(), message, wparam, lparam);
  }

  fakes::FakeTrayShell shell_;
  fakes::FakeClock clock_;
  fakes::FakeEventPump pump_;
  cSysTray tray_{std::make_unique<fakes::FakeTrayWindow>(), shell_, pump_, clock_};
  unique_hwnd window_ = MakeWindow(L"WethrixHookProbe1", &FirstProcedure);
  std::vector<std::string> raised_;
};

TEST_F(TrayHookTest, EachReportRaisesItsEventOrClosesTheBalloonThenReachesTheReplacedProcedure) {
  struct Case {
    LPARAM report;
    std::string event;  // empty: none
    bool balloon_after;
  };
  const Case cases[] = {
      {WM_MOUSEMOVE, "move 0 0 after 0", true},
      {WM_LBUTTONDOWN, "down 1 0 after 0", true},
      {WM_LBUTTONUP, "up 1 0 after 0", true},
      {WM_LBUTTONDBLCLK, "dblclick 1 0 after 0", true},
      {WM_RBUTTONDOWN, "down 2 0 after 0", true},
      {WM_RBUTTONUP, "up 2 0 after 0", true},
      {WM_RBUTTONDBLCLK, "dblclick 2 0 after 0", true},
      {WM_MBUTTONUP, "", true},
      {NIN_BALLOONSHOW, "", true},
      {NIN_BALLOONHIDE, "", false},
      {NIN_BALLOONTIMEOUT, "", false},
      {NIN_BALLOONUSERCLICK, "", false},
  };
  const TrayHook hook(window_.get(), tray_);
  for (const auto& c : cases) {
    seen.clear();
    raised_.clear();
    tray_.ShowBalloon("text", "title");
    EXPECT_EQ(Send(kTrayCallbackMessage, kTrayIconId, c.report), 7000 + c.report) << std::hex << c.report;
    EXPECT_EQ(raised_, c.event.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.event});
    EXPECT_EQ(tray_.BalloonVisible(), c.balloon_after) << std::hex << c.report;
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].message, kTrayCallbackMessage);
    EXPECT_EQ(seen[0].wparam, kTrayIconId);
    EXPECT_EQ(seen[0].lparam, c.report);
  }
}

TEST_F(TrayHookTest, OtherMessagesReachTheReplacedProcedureUnchanged) {
  const TrayHook hook(window_.get(), tray_);
  EXPECT_EQ(Send(kProbe, 11, 22), 7022);
  ASSERT_EQ(seen.size(), 1U);
  EXPECT_EQ(seen[0].message, kProbe);
  EXPECT_EQ(seen[0].wparam, 11U);
  EXPECT_TRUE(raised_.empty());
}

TEST_F(TrayHookTest, EndingTheHookPutsBackTheProcedureAndTheUserData) {
  ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0x77);
  {
    const TrayHook hook(window_.get(), tray_);
    EXPECT_EQ(::GetWindowLongPtrW(window_.get(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&mSysTray::TrayWndProc));
    EXPECT_EQ(::GetWindowLongPtrW(window_.get(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&tray_));
  }
  EXPECT_EQ(::GetWindowLongPtrW(window_.get(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&FirstProcedure));
  EXPECT_EQ(::GetWindowLongPtrW(window_.get(), GWLP_USERDATA), 0x77);
  EXPECT_EQ(Send(kTrayCallbackMessage, 0, WM_LBUTTONUP), 7000 + WM_LBUTTONUP);
  EXPECT_TRUE(raised_.empty()) << "the control must no longer hear the window";
}

TEST_F(TrayHookTest, EachHookedWindowKeepsItsOwnReplacedProcedure) {
  const unique_hwnd second = MakeWindow(L"WethrixHookProbe2", &SecondProcedure);
  const TrayHook first_hook(window_.get(), tray_);
  const TrayHook second_hook(second.get(), tray_);
  EXPECT_EQ(Send(kProbe, 0, 1), 7001);
  EXPECT_EQ(::SendMessageW(second.get(), kProbe, 0, 1), 9001);
}

}  // namespace
}  // namespace wethrix::win32
