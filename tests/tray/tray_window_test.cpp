#include "platform/win32/services/tray_window.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_tray.hpp"
#include "platform/win32/services/clock.hpp"
#include "platform/win32/services/event_pump.hpp"
#include "tray/sys_tray.hpp"

namespace wethrix::win32 {
namespace {

class TrayWindowTest : public ::testing::Test {
 protected:
  TrayWindowTest() {
    auto window = std::make_unique<Win32TrayWindow>();
    window_ = window.get();
    tray_ = std::make_unique<cSysTray>(std::move(window), shell_, pump_, clock_);
    tray_->OnMouseUp([this](TrayButton button, std::int32_t) { last_up_ = static_cast<int>(button); });
  }
  [[nodiscard]] HWND Window() const { return window_->Window(); }
  [[nodiscard]] std::ptrdiff_t Adds() const {
    return std::count_if(shell_.sent.begin(), shell_.sent.end(),
                         [](const auto& s) { return s.message == kNimAdd; });
  }

  fakes::FakeTrayShell shell_;
  Win32EventPump pump_;
  SteadyClock clock_;
  Win32TrayWindow* window_ = nullptr;
  std::unique_ptr<cSysTray> tray_;
  int last_up_ = 0;
};

// Still hidden once in the tray, where it lives; hidden before then only says it was made so.
TEST_F(TrayWindowTest, IsAHiddenTopLevelWindowThatRecordsCarry) {
  EXPECT_EQ(::GetAncestor(Window(), GA_PARENT), ::GetDesktopWindow());
  tray_->SetInTray(true);
  EXPECT_EQ(shell_.sent.at(0).record.hWnd, reinterpret_cast<std::uintptr_t>(Window()));
  EXPECT_FALSE(::IsWindowVisible(Window()));
}

TEST_F(TrayWindowTest, TheHookRoutesTrayMessagesOnlyWhileInTheTray) {
  const LONG_PTR own_procedure = ::GetWindowLongPtrW(Window(), GWLP_WNDPROC);
  tray_->SetInTray(true);
  EXPECT_EQ(::GetWindowLongPtrW(Window(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&mSysTray::TrayWndProc));
  ::SendMessageW(Window(), kTrayCallbackMessage, 0, WM_RBUTTONUP);
  EXPECT_EQ(last_up_, 2);

  tray_->SetInTray(false);
  EXPECT_EQ(::GetWindowLongPtrW(Window(), GWLP_WNDPROC), own_procedure);
  last_up_ = 0;
  ::SendMessageW(Window(), kTrayCallbackMessage, 0, WM_LBUTTONUP);
  EXPECT_EQ(last_up_, 0);
}

// Sent to this window alone: a real broadcast would also reach other programs under test.
TEST_F(TrayWindowTest, TheTaskbarCreatedMessageAddsTheIconAgain) {
  tray_->SetInTray(true);
  ::SendMessageW(Window(), window_->TaskbarCreatedMessage(), 0, 0);
  EXPECT_EQ(Adds(), 2);
}

TEST_F(TrayWindowTest, ARefusedAddIsRetriedByTheWindowsOwnTimer) {
  shell_.refused_adds = 1;
  tray_->SetInTray(true);
  // The first retry is due after two seconds; the limit only keeps a broken timer from hanging.
  const auto give_up = clock_.Now() + std::chrono::seconds(20);
  while (Adds() < 2 && clock_.Now() < give_up) {
    pump_.DoEvents();
    pump_.WaitFor(nullptr, std::chrono::milliseconds(500));
  }
  EXPECT_EQ(Adds(), 2);
  ::SendMessageW(Window(), WM_TIMER, Win32TrayWindow::kRetryTimerId, 0);
  EXPECT_EQ(Adds(), 2) << "an accepted add ends the retries";
}

}  // namespace
}  // namespace wethrix::win32
