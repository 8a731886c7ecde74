#include "platform/win32/services/message_gate.hpp"

#include <algorithm>

#include "platform/win32/services/check.hpp"

namespace wethrix::win32 {
namespace {

// The system's own timers (the caret's blink), a WM_TIMER by another number.
constexpr UINT kSystemTimer = 0x118;

// Only Windows, on the window's own thread, or the program sends these, and their parameters are
// taken on trust. Pointers that Windows copies between processes (WM_SETTEXT, WM_WINDOWPOSCHANGED
// and their kind) are safe when sent, and PostMessage refuses them (ERROR_MESSAGE_SYNC_ONLY).
constexpr UINT kOwnThreadsOnly[] = {
    WM_DESTROY,  // the window's end, which only its own DestroyWindow brings
    WM_NCDESTROY,
    WM_NOTIFY,      // a pointer to a control's notice, which Windows does not copy
    WM_DPICHANGED,  // a pointer to the place Windows suggests
    WM_DRAWITEM,    // owner drawing, which no control of the program has
    WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM,
    WM_COPYDATA,  // data from another program, of which the program takes none
};

// None of those is ever posted, nor the window's creation, which hands it the creator's pointer
// (WM_NCCREATE's and WM_CREATE's lpCreateParams, WM_INITDIALOG's lParam), nor a timer with a
// procedure, which DispatchMessage calls: the program sets none.
[[nodiscard]] bool NeverPosted(const MSG& msg) {
  switch (msg.message) {
    case WM_TIMER:
    case kSystemTimer:
      return msg.lParam != 0;
    case WM_NCCREATE:
    case WM_CREATE:
    case WM_INITDIALOG:
      return true;
    default:
      return std::ranges::find(kOwnThreadsOnly, msg.message) != std::end(kOwnThreadsOnly);
  }
}

thread_local const std::function<void()>* close_of_thread = nullptr;

// Windows hands every loop the message as the hook leaves it. A loop that only looks (PM_NOREMOVE)
// gets WM_NULL too, and takes the message off the queue the next time it comes here.
LRESULT CALLBACK Retrieved(int code, WPARAM removed, LPARAM message) noexcept {
  auto& msg = *reinterpret_cast<MSG*>(message);
  if (code >= 0 && (msg.message == WM_QUIT || NeverPosted(msg))) {
    const bool close = msg.message == WM_QUIT && removed == PM_REMOVE;
    msg.message = WM_NULL;
    if (close) (*close_of_thread)();
  }
  return ::CallNextHookEx(nullptr, code, removed, message);
}

}  // namespace

bool SentFromElsewhere(UINT message) noexcept {
  return std::ranges::find(kOwnThreadsOnly, message) != std::end(kOwnThreadsOnly) &&
         ::InSendMessageEx(nullptr) != ISMEX_NOSEND;
}

MessageGate::MessageGate(std::function<void()> close) : close_(std::move(close)) {
  close_of_thread = &close_;
  hook_.reset(::SetWindowsHookExW(WH_GETMESSAGE, &Retrieved, nullptr, ::GetCurrentThreadId()));
  if (!hook_) ThrowLastError();
}

MessageGate::~MessageGate() {
  close_of_thread = nullptr;
}

}  // namespace wethrix::win32
