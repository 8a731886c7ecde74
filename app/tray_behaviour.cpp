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
  view_.Hide();
  view_.SetState(WindowState::kNormal);
  hidden_in_tray_ = true;
  tray_.ShowBalloon(kHiddenBalloon, kProductName, kHiddenBalloonSeconds, true);
}

void Form1::cSysTray1_MouseUp(TrayButton /*button*/, std::int32_t /*id*/) {
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
