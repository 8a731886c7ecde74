#include "platform/win32/services/tray_window.hpp"

#include "platform/win32/services/check.hpp"
#include "platform/win32/services/message_gate.hpp"

namespace wethrix::win32 {
namespace {

constexpr wchar_t kClassName[] = L"WethrixTrayWindow";
constexpr int kSelfSlot = 0;

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.cbWndExtra = sizeof(LONG_PTR);
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.lpszClassName = kClassName;
  if (::RegisterClassExW(&window_class) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    ThrowLastError();
  }
}

UINT RegisterTaskbarCreated() {
  const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  if (message == 0) ThrowLastError();
  return message;
}

}  // namespace

Win32TrayWindow::Win32TrayWindow() : taskbar_created_(RegisterTaskbarCreated()) {
  RegisterWindowClass(&WindowProc);
  window_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), this));
  if (window_.get() == nullptr) ThrowLastError();
  // Lets the broadcast through to an elevated instance too; older systems simply ignore it.
  ::ChangeWindowMessageFilterEx(window_.get(), taskbar_created_, MSGFLT_ALLOW, nullptr);
}

void Win32TrayWindow::InstallHook(TrayWindowClient& control) {
  hook_.reset();
  hook_.emplace(window_.get(), control);
}

void Win32TrayWindow::StartRetryTimer(std::chrono::milliseconds interval) {
  if (::SetTimer(window_.get(), kRetryTimerId, static_cast<UINT>(interval.count()), nullptr) == 0) {
    ThrowLastError();
  }
}

void Win32TrayWindow::StopRetryTimer() noexcept {
  ::KillTimer(window_.get(), kRetryTimerId);
}

// Bound to its object once, at its creation, as the program's other windows are (bound_window.hpp).
LRESULT CALLBACK Win32TrayWindow::WindowProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) noexcept {
  auto* self = reinterpret_cast<Win32TrayWindow*>(::GetWindowLongPtrW(window, kSelfSlot));
  if (message == WM_NCCREATE) {
    if (self != nullptr) return FALSE;
    self = static_cast<Win32TrayWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    ::SetWindowLongPtrW(window, kSelfSlot, reinterpret_cast<LONG_PTR>(self));
  }
  if (SentFromElsewhere(message)) return 0;
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, kSelfSlot, 0);
  if (self == nullptr) return ::DefWindowProcW(window, message, wparam, lparam);
  return self->HandleMessage(window, message, wparam, lparam);
}

LRESULT Win32TrayWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == taskbar_created_) {
    Tell(&TrayWindowClient::TaskbarCreated);
    return 0;
  }
  if (message == WM_TIMER && wparam == kRetryTimerId) {
    Tell(&TrayWindowClient::RetryTimerTick);
    return 0;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

// A failure here cannot be reported anywhere better; the next broadcast or tick tries again.
void Win32TrayWindow::Tell(void (TrayWindowClient::*event)()) noexcept {
  if (client_ == nullptr) return;
  try {
    (client_->*event)();
  } catch (...) {
  }
}

}  // namespace wethrix::win32
