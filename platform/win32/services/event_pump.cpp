#include "platform/win32/services/event_pump.hpp"

#include <algorithm>

namespace wethrix::win32 {

void Win32EventPump::Dispatch(MSG& msg) const {
  if (pre_translate_ && pre_translate_(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

void Win32EventPump::Pass(const Waitable* until) {
  MSG msg;
  while ((until == nullptr || !until->Done()) && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      quit_pending_ = true;
      return;
    }
    Dispatch(msg);
  }
}

Wake Win32EventPump::WaitFor(const Waitable* thing, std::chrono::milliseconds limit) {
  const HANDLE object = thing != nullptr ? reinterpret_cast<HANDLE>(thing->NativeHandle()) : nullptr;
  const DWORD count = object != nullptr ? 1 : 0;
  const DWORD wake_mask = quit_pending_ ? 0 : QS_ALLINPUT;
  const DWORD woken = ::MsgWaitForMultipleObjectsEx(
      count, &object, static_cast<DWORD>(std::max<std::chrono::milliseconds::rep>(limit.count(), 0)),
      wake_mask, MWMO_INPUTAVAILABLE);
  if (count == 1 && woken == WAIT_OBJECT_0) return Wake::kDone;
  if (woken == WAIT_OBJECT_0 + count) return Wake::kMessage;
  return Wake::kTimeOut;
}

}  // namespace wethrix::win32
