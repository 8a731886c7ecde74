#include "platform/win32/services/tray_hook.hpp"

#include "platform/tray_shell.hpp"
#include "platform/win32/services/check.hpp"

namespace wethrix::win32 {
namespace {

constexpr wchar_t kReplacedProcedure[] = L"Wethrix.TrayHook.ReplacedProcedure";

// Exceptions stop here: the message must still reach the replaced procedure.
void RouteToControl(HWND window, WPARAM wparam, LPARAM lparam) noexcept {
  auto* control = reinterpret_cast<TrayWindowClient*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (control == nullptr) return;
  try {
    control->HandleTrayMessage(static_cast<std::uint32_t>(lparam), static_cast<std::uint32_t>(wparam));
  } catch (...) {
  }
}

// The window's own procedure, kept in a property of the window for TrayWndProc to call.
LONG_PTR KeepProcedure(HWND window) {
  const LONG_PTR procedure = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
  if (procedure == 0) ThrowLastError();
  ThrowIfFalse(::SetPropW(window, kReplacedProcedure, reinterpret_cast<HANDLE>(procedure)));
  return procedure;
}

}  // namespace

LRESULT CALLBACK mSysTray::TrayWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  // Read before the control runs: one of its handlers may end the hook.
  const auto replaced = reinterpret_cast<WNDPROC>(::GetPropW(window, kReplacedProcedure));
  if (message == kTrayCallbackMessage) RouteToControl(window, wparam, lparam);
  if (replaced == nullptr) return ::DefWindowProcW(window, message, wparam, lparam);
  return ::CallWindowProcW(replaced, window, message, wparam, lparam);
}

TrayHook::TrayHook(HWND window, TrayWindowClient& control)
    : window_(window),
      replaced_procedure_(KeepProcedure(window)),
      replaced_user_data_(::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control))) {
  if (::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&mSysTray::TrayWndProc)) == 0) {
    const DWORD error = ::GetLastError();
    Restore();
    ThrowWin32Error(error);
  }
}

TrayHook::~TrayHook() {
  Restore();
}

void TrayHook::Restore() noexcept {
  ::SetWindowLongPtrW(window_, GWLP_WNDPROC, replaced_procedure_);
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, replaced_user_data_);
  ::RemovePropW(window_, kReplacedProcedure);
}

}  // namespace wethrix::win32
