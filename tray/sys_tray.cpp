#include "tray/sys_tray.hpp"

#include <algorithm>
#include <limits>

#include "platform/errors.hpp"
#include "tray/notify_record.hpp"

namespace wethrix {
namespace {

// What the shell reports in the callback message's lParam.
constexpr std::uint32_t kMouseMove = 0x200;
constexpr std::uint32_t kLeftButtonDown = 0x201;
constexpr std::uint32_t kLeftButtonUp = 0x202;
constexpr std::uint32_t kLeftButtonDblClk = 0x203;
constexpr std::uint32_t kRightButtonDown = 0x204;
constexpr std::uint32_t kRightButtonUp = 0x205;
constexpr std::uint32_t kRightButtonDblClk = 0x206;
constexpr std::uint32_t kBalloonHide = 0x403;
constexpr std::uint32_t kBalloonTimeout = 0x404;
constexpr std::uint32_t kBalloonUserClick = 0x405;

// The shell refuses adds while the user is still logging on.
constexpr std::chrono::milliseconds kRetryEvery{2000};
constexpr std::chrono::seconds kRetryFor{60};
// A wait wakes for every window message anyway; the limit only bounds a missed wake-up.
constexpr std::chrono::milliseconds kLongestBalloonNap{250};

std::uint32_t BalloonTimeoutMs(int show_timer) {
  if (show_timer <= 0) return 0;
  const std::int64_t ms = std::int64_t{show_timer} * 1000;
  if (ms > std::numeric_limits<std::int32_t>::max()) throw Overflow();
  return static_cast<std::uint32_t>(ms);
}

}  // namespace

cSysTray::cSysTray(std::unique_ptr<TrayWindow> window, TrayShell& shell, EventPump& pump, Clock& clock,
                   HostMode mode)
    : window_(std::move(window)), shell_(shell), pump_(pump), clock_(clock), mode_(mode) {
  window_->SetClient(this);
}

cSysTray::~cSysTray() {
  RemoveFromTray();
  window_->SetClient(nullptr);
}

void cSysTray::SetTrayIcon(PicturePtr icon) {
  if (!icon || icon->Type() != PictureType::kIcon) return;
  if (icon_added_) Send(kNimModify, ChangeIconRecord(WindowHandle(), icon->Handle()));
  icon_ = std::move(icon);
}

void cSysTray::SetTrayTip(std::string tip) {
  if (icon_added_) Send(kNimModify, ChangeTipRecord(WindowHandle(), tip));
  tip_ = std::move(tip);
}

void cSysTray::SetInTray(bool show) {
  if (show == in_tray_) return;
  if (!show) {
    RemoveFromTray();
  } else if (mode_ == HostMode::kUser) {
    window_->InstallHook(*this);
    icon_added_ = true;
    AddToTray();
  }
  in_tray_ = show;
}

void cSysTray::ShowBalloon(std::string_view tip, std::string_view title, int show_timer, bool show_once) {
  if (show_once && once_count_ >= 1) return;
  Send(kNimModify, BalloonRecord(WindowHandle(), tip, title, BalloonTimeoutMs(show_timer)));
  balloon_visible_ = true;
  if (show_once) ++once_count_;
  if (show_timer > 0) WaitForBalloon(std::chrono::seconds(show_timer));
}

void cSysTray::WaitForBalloon(std::chrono::seconds limit) {
  const auto until = clock_.Now() + limit;
  while (balloon_visible_ && clock_.Now() < until) {
    pump_.DoEvents();
    if (!balloon_visible_) break;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - clock_.Now());
    pump_.WaitFor(nullptr, std::clamp(left, std::chrono::milliseconds{0}, kLongestBalloonNap));
  }
  if (balloon_visible_) Send(kNimModify, BalloonRecord(WindowHandle(), {}, {}, 0));
}

// Any program may send the callback message: one that names another icon is not the shell's.
void cSysTray::HandleTrayMessage(std::uint32_t lparam, std::uint32_t wparam) {
  if (wparam != kTrayIconId) return;
  switch (lparam) {
    case kMouseMove:
      if (const MoveHandler handler = mouse_move_) handler(static_cast<std::int32_t>(wparam));
      break;
    case kLeftButtonDown:
      RaiseButton(mouse_down_, TrayButton::kLeft, wparam);
      break;
    case kLeftButtonUp:
      RaiseButton(mouse_up_, TrayButton::kLeft, wparam);
      break;
    case kLeftButtonDblClk:
      RaiseButton(mouse_dbl_click_, TrayButton::kLeft, wparam);
      break;
    case kRightButtonDown:
      RaiseButton(mouse_down_, TrayButton::kRight, wparam);
      break;
    case kRightButtonUp:
      RaiseButton(mouse_up_, TrayButton::kRight, wparam);
      break;
    case kRightButtonDblClk:
      RaiseButton(mouse_dbl_click_, TrayButton::kRight, wparam);
      break;
    case kBalloonHide:
    case kBalloonTimeout:
    case kBalloonUserClick:
      balloon_visible_ = false;
      break;
    default:
      break;
  }
}

// A copy, so a handler that subscribes anew does not destroy the function that is running.
void cSysTray::RaiseButton(const ButtonHandler& handler, TrayButton button, std::uint32_t wparam) {
  if (const ButtonHandler running = handler) running(button, static_cast<std::int32_t>(wparam));
}

void cSysTray::TaskbarCreated() {
  if (icon_added_) AddToTray();
}

void cSysTray::RetryTimerTick() {
  if (!retrying_) return;  // a tick that was already queued when the retries ended
  if (!icon_added_ || SendAdd() || clock_.Now() >= retry_until_) StopRetrying();
}

void cSysTray::AddToTray() {
  if (SendAdd()) return;
  retry_until_ = clock_.Now() + kRetryFor;
  if (!retrying_) window_->StartRetryTimer(kRetryEvery);
  retrying_ = true;
}

void cSysTray::RemoveFromTray() noexcept {
  if (!icon_added_) return;
  StopRetrying();
  Send(kNimDelete, RemoveRecord(WindowHandle()));
  window_->RemoveHook();
  icon_added_ = false;
}

bool cSysTray::SendAdd() noexcept {
  return shell_.Notify(kNimAdd, AddRecord(WindowHandle(), tip_, IconHandle()));
}

// The shell's verdict matters only for an add; other records are simply sent again next time.
void cSysTray::Send(std::uint32_t message, const NotifyRecord& record) noexcept {
  static_cast<void>(shell_.Notify(message, record));
}

void cSysTray::StopRetrying() noexcept {
  if (!retrying_) return;
  window_->StopRetryTimer();
  retrying_ = false;
}

}  // namespace wethrix
