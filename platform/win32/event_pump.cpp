#include "platform/win32/event_pump.hpp"

#include <windows.h>

namespace wethrix::win32 {

void Win32EventPump::DoEvents() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void Win32EventPump::WaitForEvents(std::chrono::milliseconds limit) {
  ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(limit.count()), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

}  // namespace wethrix::win32
