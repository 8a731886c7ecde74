#include "platform/win32/windows/main_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "app/main_accessibility.hpp"
#include "app/main_layout.hpp"
#include "platform/color.hpp"
#include "platform/win32/services/app_messages.hpp"
#include "platform/win32/services/check.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {
namespace {

constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT_PTR kRetryTimerId = 2;

// The main window is not a dialog, so Enter presses nothing. Its one text box is never shown,
// so the window's pointer, the arrow by default, shows over every control.
constexpr FormClass kMainWindowClass{
    kMainWindowClassName,
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
    WS_EX_CONTROLPARENT,
    kClientWidthTwips,
    kClientHeightTwips,
    {},
    false};

using ClickEvent = void (MainViewEvents::*)();
constexpr std::pair<std::string_view, ClickEvent> kClickEvents[] = {
    {"PushButton4", &MainViewEvents::PushButton4_Click}, {"PushButton5", &MainViewEvents::PushButton5_Click},
    {"PushButton7", &MainViewEvents::PushButton7_Click}, {"PushButton8", &MainViewEvents::PushButton8_Click},
    {"Option4", &MainViewEvents::Option4_Click},         {"Option5", &MainViewEvents::Option5_Click},
    {"Check3", &MainViewEvents::Check3_Click},           {"Check8", &MainViewEvents::Check8_Click},
};

// Only the frames and the push buttons report mouse moves.
constexpr std::pair<std::string_view, MainControl> kMouseReports[] = {
    {"Frame1", MainControl::kFrame1},           {"Frame2", MainControl::kFrame2},
    {"Frame3", MainControl::kFrame3},           {"Frame4", MainControl::kFrame4},
    {"Frame7", MainControl::kFrame7},           {"PushButton4", MainControl::kPushButton4},
    {"PushButton5", MainControl::kPushButton5}, {"PushButton7", MainControl::kPushButton7},
    {"PushButton8", MainControl::kPushButton8},
};

// What ShowWindow needs to bring the window into `state`, from hidden or while visible.
[[nodiscard]] int ShowCommand(WindowState state, bool visible) {
  switch (state) {
    case WindowState::kMinimized:
      return visible ? SW_MINIMIZE : SW_SHOWMINIMIZED;
    case WindowState::kMaximized:
      return SW_SHOWMAXIMIZED;  // from hidden or not: SW_MAXIMIZE is the same command
    case WindowState::kNormal:
      break;
  }
  return visible ? SW_RESTORE : SW_SHOWNORMAL;
}

}  // namespace

// Form_Activate tells that the window the user sees has become active. Losing the activation is
// none (a window deactivated during its first refresh would run it twice). A window that is
// hidden or minimised when it gains the activation, as a hidden one does when a box it owns
// closes, owes it until it is shown or restored while still active: raised at once, it would run
// the first refresh in the middle of loading, or while the window sits minimised on the taskbar.
void MainWindow::RaiseOwedActivation() {
  if (!activation_owed_) return;
  activation_owed_ = false;
  Raise(events_, &MainViewEvents::Form_Activate);
}

MainWindow::MainWindow(HINSTANCE instance, const SystemColors& system_colors)
    : DesignedForm(instance, kMainWindowClass, MainWindowDesign(), system_colors) {
  CreateForm();
  DescribeMainWindow(*this, system_colors);
  timer1_ = std::make_unique<WindowTimer>(Hwnd(), kTimer1Id);
  timer1_->SetEnabled(true);  // designed enabled with interval 0, so it waits for an interval
  retry_timer_ = std::make_unique<WindowTimer>(Hwnd(), kRetryTimerId);
  for (std::size_t i = 0; i < pictures_.size(); ++i) {
    pictures_.at(i) = Named("Picture" + std::to_string(i + 1)).Picture();
  }
  SetChecked("Option4", true);
}

// Events stop first: the logic that receives them may already be gone.
MainWindow::~MainWindow() {
  events_ = nullptr;
  DestroyForm();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(wparam);
      activation_owed_ = LOWORD(wparam) != WA_INACTIVE;
      if (HIWORD(wparam) == 0 && Visible()) RaiseOwedActivation();
      return 0;
    case WM_WINDOWPOSCHANGED:
      if (Visible() && !::IsIconic(Hwnd()) && ::GetActiveWindow() == Hwnd()) RaiseOwedActivation();
      return DesignedForm::HandleMessage(message, wparam, lparam);
    case WM_SIZE:
      Raise(events_, &MainViewEvents::Form_Resize);
      return 0;
    case WM_CLOSE:
      Unload();
      return 0;
    // Only the end itself closes: another program may still cancel after the query.
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam != FALSE) Unload();
      return 0;
    case WM_DESTROY:
      ::RemovePropW(Hwnd(), kFinishedRefreshesProperty);
      if (closing_) ::PostQuitMessage(0);
      return 0;
    // From the window's own controls only (the message gate drops any other).
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lparam)->code == NM_CUSTOMDRAW) return OnCustomDraw(lparam);
      return 0;
    case WM_TIMER:
      if (wparam == timer1_->Id()) timer1_->Tick();
      if (wparam == retry_timer_->Id()) retry_timer_->Tick();
      return 0;
    case WM_POWERBROADCAST:
      if (wparam == PBT_APMRESUMEAUTOMATIC) Raise(events_, &MainViewEvents::PowerResumed);
      return TRUE;
    // Others broadcast messages of this number too, careless of what they mean to us.
    case kShowRunningCopyMessage:
      if (wparam == 0 && lparam == 0) Raise(events_, &MainViewEvents::AnotherCopyStarted);
      return 0;
    default:
      return DesignedForm::HandleMessage(message, wparam, lparam);
  }
}

void MainWindow::OnCommand(const DesignedControl& control, WORD code) {
  const std::string_view name = control.Design().name;
  if (code == BN_CLICKED) {
    if (const auto* click = Lookup(kClickEvents, name)) Raise(events_, *click);
  } else if (code == EN_CHANGE && name == "Text2") {
    Raise(events_, &MainViewEvents::Text2_Change);
  }
}

void MainWindow::OnMouseMove(const DesignedControl* control) {
  if (control == nullptr) return Raise(events_, &MainViewEvents::MouseMove, MainControl::kBackground);
  if (const auto* report = Lookup(kMouseReports, control->Design().name)) {
    Raise(events_, &MainViewEvents::MouseMove, *report);
  }
}

PaletteSkin::Apply MainWindow::SkinApplier() {
  return [this](std::int32_t window, const SkinPalette& palette) {
    // Window handles are 32-bit values sign-extended to pointer size.
    if (reinterpret_cast<HWND>(static_cast<INT_PTR>(window)) == Hwnd()) TakeSkin(palette);
  };
}

void MainWindow::TakeSkin(const SkinPalette& palette) {
  skin_ = palette;
  RedrawAll();
}

// The skin's window colour stands in for the button face throughout the window.
COLORREF MainWindow::Resolve(Color color) const {
  return ResolveColor(color, [this](int index) -> std::uint32_t {
    if (index == COLOR_BTNFACE && skin_.window) return *skin_.window;
    return ::GetSysColor(index);
  });
}

COLORREF MainWindow::TextColor() const {
  return Resolve(skin_.text.value_or(kButtonTextColor));
}

COLORREF MainWindow::FrameTextColor() const {
  return Resolve(skin_.frame_text.value_or(kButtonTextColor));
}

// A skin with a button colour draws the push buttons flat in it, with the usual edges; a
// high-contrast theme draws them itself.
LRESULT MainWindow::OnCustomDraw(LPARAM lparam) {
  const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(lparam);
  DesignedControl* control = Find(draw.hdr.hwndFrom);
  if (control == nullptr || control->Kind() != ControlKind::kPushButton || !skin_.button || HighContrast() ||
      draw.dwDrawStage != CDDS_PREPAINT) {
    return CDRF_DODEFAULT;
  }
  RECT face = draw.rc;
  ::FillRect(draw.hdc, &face, control->Brush(Resolve(*skin_.button)));
  ::DrawEdge(draw.hdc, &face, (draw.uItemState & CDIS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT | BF_ADJUST);
  const std::wstring caption = Widen(control->Design().caption);
  const HGDIOBJ previous = ::SelectObject(draw.hdc, ButtonFont());
  ::SetBkMode(draw.hdc, TRANSPARENT);
  ::SetTextColor(draw.hdc, TextColor());
  ::DrawTextW(draw.hdc, caption.c_str(), static_cast<int>(caption.size()), &face,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::SelectObject(draw.hdc, previous);
  if (draw.uItemState & CDIS_FOCUS) {
    ::InflateRect(&face, -2, -2);
    ::DrawFocusRect(draw.hdc, &face);
  }
  return CDRF_SKIPDEFAULT;
}

// Closing is never cancelled: the logic cleans up, then the window goes and the loop ends.
void MainWindow::Unload() {
  if (closing_) return;
  closing_ = true;
  Raise(events_, &MainViewEvents::Form_QueryUnload);
  ::DestroyWindow(Hwnd());
  Raise(events_, &MainViewEvents::Form_Unload);
}

void MainWindow::Show() {
  if (!Visible()) ::ShowWindow(Hwnd(), ShowCommand(hidden_state_, false));
}

void MainWindow::Hide() {
  if (!Visible()) return;
  hidden_state_ = State();
  ::ShowWindow(Hwnd(), SW_HIDE);
}

WindowState MainWindow::State() const {
  if (!Visible()) return hidden_state_;
  if (::IsIconic(Hwnd())) return WindowState::kMinimized;
  if (::IsZoomed(Hwnd())) return WindowState::kMaximized;
  return WindowState::kNormal;
}

// A hidden window keeps the state for when it is next shown.
void MainWindow::SetState(WindowState state) {
  if (Visible()) {
    ::ShowWindow(Hwnd(), ShowCommand(state, true));
  } else {
    hidden_state_ = state;
  }
}

void MainWindow::Focus() {
  ::SetForegroundWindow(Hwnd());
  ::SetActiveWindow(Hwnd());
}

void MainWindow::Close() {
  ::PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
}

// A property rather than a message: an observer reads it whenever it likes, and nothing waits.
void MainWindow::PublishFinishedRefreshes(std::uint32_t count) {
  ::SetPropW(Hwnd(), kFinishedRefreshesProperty,
             reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(count)));
}

bool MainWindow::Checked(std::string_view full_name) const {
  return ::SendMessageW(Named(full_name).Hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetChecked(std::string_view full_name, bool checked) {
  ::SendMessageW(Named(full_name).Hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string MainWindow::Label1() const {
  return TextOf("Label1");
}

void MainWindow::SetLabel1(std::string_view text) {
  SetTextOf("Label1", text);
}

std::string MainWindow::Label2() const {
  return TextOf("Label2");
}

void MainWindow::SetLabel2(std::string_view text) {
  SetTextOf("Label2", text);
}

std::string MainWindow::Text2() const {
  return TextOf("Text2");
}

std::string MainWindow::PushButton5Caption() const {
  return TextOf("PushButton5");
}

void MainWindow::SetText2(std::string_view text) {
  SetTextOf("Text2", text);
}

bool MainWindow::Option4() const {
  return Checked("Option4");
}

bool MainWindow::Option5() const {
  return Checked("Option5");
}

bool MainWindow::Check3() const {
  return Checked("Check3");
}

bool MainWindow::Check8() const {
  return Checked("Check8");
}

void MainWindow::SetCheck3(bool ticked) {
  SetChecked("Check3", ticked);
}

void MainWindow::SetCheck8(bool ticked) {
  SetChecked("Check8", ticked);
}

void MainWindow::SetOption4(bool selected) {
  SetChecked("Option4", selected);
  if (selected) SetChecked("Option5", false);
}

void MainWindow::SetOption5(bool selected) {
  SetChecked("Option5", selected);
  if (selected) SetChecked("Option4", false);
}

// The check box's own flag: a hidden main window does not make it invisible.
bool MainWindow::Check8Visible() const {
  return (::GetWindowLongPtrW(Named("Check8").Hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void MainWindow::SetCheck8Visible(bool visible) {
  ::ShowWindow(Named("Check8").Hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

PictureBox& MainWindow::Picture(int index) {
  if (index < 1 || index > static_cast<int>(pictures_.size())) {
    throw AppError(error_number::kSubscriptOutOfRange, "Subscript out of range");
  }
  return *pictures_.at(static_cast<std::size_t>(index - 1));
}

}  // namespace wethrix::win32
