#include "platform/win32/windows/key_dialog_window.hpp"

#include <algorithm>
#include <string>
#include <utility>

#include "options/key_dialog_layout.hpp"
#include "platform/win32/services/check.hpp"

namespace wethrix::win32 {
namespace {

// Unlike the main window, the dialog has a taskbar button of its own while the main window is
// hidden, Enter presses OK, and over the key field the default pointer is the text cursor.
constexpr FormClass kKeyDialogClass{L"WethrixKeyDialog",
                                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                    WS_EX_APPWINDOW | WS_EX_CONTROLPARENT,
                                    kKeyDialogClientWidthTwips,
                                    kKeyDialogClientHeightTwips,
                                    "PushButton6",
                                    true};

using ClickEvent = void (KeyDialogEvents::*)();
constexpr std::pair<std::string_view, ClickEvent> kClickEvents[] = {
    {"PushButton1", &KeyDialogEvents::PushButton1_Click},
    {"PushButton2", &KeyDialogEvents::PushButton2_Click},
    {"PushButton6", &KeyDialogEvents::PushButton6_Click},
};

// Every control reports mouse moves.
constexpr std::pair<std::string_view, KeyDialogControl> kMouseReports[] = {
    {"Label2", KeyDialogControl::kLabel2},
    {"Frame1", KeyDialogControl::kFrame1},
    {"Frame2", KeyDialogControl::kFrame2},
    {"Frame3", KeyDialogControl::kFrame3},
    {"Text1", KeyDialogControl::kText1},
    {"PushButton1", KeyDialogControl::kPushButton1},
    {"PushButton2", KeyDialogControl::kPushButton2},
    {"PushButton6", KeyDialogControl::kPushButton6},
};

}  // namespace

KeyDialogWindow::KeyDialogWindow(HINSTANCE instance, const SystemColors& system_colors)
    : DesignedForm(instance, kKeyDialogClass, KeyDialogDesign(), system_colors) {
  DescribeKeyDialog(Accessible());
}

KeyDialogWindow::~KeyDialogWindow() {
  Unload();
}

void KeyDialogWindow::Load() {
  if (Loaded()) return;
  CreateForm();
  CentreInWorkArea();
}

void KeyDialogWindow::Unload() {
  DestroyForm();
}

// The dialog opens in the middle of the screen; the main window where Windows puts it.
void KeyDialogWindow::CentreInWorkArea() {
  RECT work{};
  ThrowIfFalse(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  RECT frame{};
  ThrowIfFalse(::GetWindowRect(Hwnd(), &frame));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  ThrowIfFalse(::SetWindowPos(Hwnd(), nullptr, work.left + (work.right - work.left - width) / 2,
                              work.top + (work.bottom - work.top - height) / 2, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
}

// The main window hides itself while the dialog is up, so the dialog takes the foreground.
void KeyDialogWindow::Show() {
  ::ShowWindow(Hwnd(), SW_SHOW);
  ::SetForegroundWindow(Hwnd());
}

void KeyDialogWindow::Hide() {
  ::ShowWindow(Hwnd(), SW_HIDE);
}

std::string KeyDialogWindow::Text1() const {
  return TextOf("Text1");
}

void KeyDialogWindow::SetText1(std::string_view text) {
  SetTextOf("Text1", text);
}

void KeyDialogWindow::SetText1Selection(std::size_t start, std::size_t length) {
  ::SendMessageW(Named("Text1").Hwnd(), EM_SETSEL, start, static_cast<LPARAM>(start + length));
}

LRESULT KeyDialogWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      // Esc closes the dialog as its close box does; the main window has no such key.
      if (LOWORD(wparam) != IDCANCEL || lparam != 0) break;
      ::SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      if (events_ != nullptr) {
        events_->Form_Unload();
      } else {
        Unload();
      }
      return 0;
    default:
      break;
  }
  return DesignedForm::HandleMessage(message, wparam, lparam);
}

void KeyDialogWindow::OnCommand(const DesignedControl& control, WORD code) {
  const std::string_view name = control.Design().name;
  if (code == BN_CLICKED) {
    if (const auto* click = Lookup(kClickEvents, name)) Raise(events_, *click);
  } else if (code == EN_CHANGE && name == "Text1") {
    Raise(events_, &KeyDialogEvents::Text1_Change);
  } else if (code == EN_SETFOCUS && name == "Text1") {
    Raise(events_, &KeyDialogEvents::Text1_GotFocus);
  }
}

void KeyDialogWindow::OnMouseMove(const DesignedControl* control) {
  if (control == nullptr) return Raise(events_, &KeyDialogEvents::MouseMove, KeyDialogControl::kForm);
  if (const auto* report = Lookup(kMouseReports, control->Design().name)) {
    Raise(events_, &KeyDialogEvents::MouseMove, *report);
  }
}

// The dialog takes no skin: it draws in the system's text colour for windows.
COLORREF KeyDialogWindow::TextColor() const {
  return Resolve(kWindowTextColor);
}

}  // namespace wethrix::win32
