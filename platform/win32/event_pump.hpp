#pragma once
#include "platform/event_pump.hpp"

namespace wethrix::win32 {

// Dispatches the calling thread's queued messages. A WM_QUIT met on the way is posted again so
// the main message loop still ends.
class Win32EventPump final : public EventPump {
 public:
  void DoEvents() override;
  void WaitForEvents(std::chrono::milliseconds limit) override;
};

}  // namespace wethrix::win32
