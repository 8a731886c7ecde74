// The window's life between the screen and the tray, and the pointer over its background.
#include "app/application_title.hpp"
#include "app/form1.hpp"

namespace wethrix {
namespace {
constexpr std::string_view kHiddenBalloon =
    "has been minimized to the system tray.\r\n"
    "Click on the blue 'K' icon (K for Kestrivon) to bring the software back.";
constexpr int kHiddenBalloonSeconds = 5;
}  // namespace

void Form1::Form_Resize() {
  if (view_.State() != WindowState::kMinimized || hidden_in_tray_) return;
  HideIntoTray();
  SayHiddenIntoTray();
}

// A window that starts in the tray is never shown, not even minimised for a moment, so it never
// sits on the taskbar nor takes the foreground at logon. It goes into the tray as a minimise
// would, and the first refresh, the first activation's work, runs at once all the same. The
// minimise balloon follows that refresh, unless a tray click has brought the window back meanwhile.
void Form1::ShowAfterLoading() {
  if (view_.State() != WindowState::kMinimized) {
    view_.Show();
    view_.Focus();
    return;
  }
  HideIntoTray();
  Form_Activate();
  if (hidden_in_tray_) SayHiddenIntoTray();
}

void Form1::HideIntoTray() {
  view_.Hide();
  view_.SetState(WindowState::kNormal);
  hidden_in_tray_ = true;
}

void Form1::SayHiddenIntoTray() {
  tray_.ShowBalloon(kHiddenBalloon, kProductName, kHiddenBalloonSeconds, true);
}

void Form1::cSysTray1_MouseUp(TrayButton /*button*/, std::int32_t /*id*/) {
  BringBack();
}

// A second start means the user wants this copy back: it comes as a tray click brings it, and is
// restored as well when it sits minimised on the taskbar.
void Form1::AnotherCopyStarted() {
  if (view_.State() == WindowState::kMinimized) view_.SetState(WindowState::kNormal);
  BringBack();
}

void Form1::BringBack() {
  view_.Show();
  view_.Focus();
  hidden_in_tray_ = false;
}

void Form1::MouseMove(MainControl control) {
  if (view_.Pointer() == MousePointer::kHourglass) return;
  switch (control) {
    case MainControl::kBackground:
    case MainControl::kFrame1:
    case MainControl::kFrame2:
    case MainControl::kFrame3:
    case MainControl::kFrame4:
    case MainControl::kFrame7:
      view_.SetPointer(MousePointer::kDefault);
      break;
    case MainControl::kPushButton4:
    case MainControl::kPushButton5:
    case MainControl::kPushButton7:
    case MainControl::kPushButton8:
      view_.SetPointer(MousePointer::kCustom);
      break;
    case MainControl::kOther:
      break;
  }
}

}  // namespace wethrix
