#pragma once
#include "platform/event_pump.hpp"

namespace wethrix::win32 {

// Dispatches the calling thread's queued messages. A WM_QUIT met on the way is posted again so
// the main message loop still ends; from then on waits no longer wake for the queue, which the
// re-posted quit would keep signalled.
class Win32EventPump final : public EventPump {
 public:
  void Pass(const Waitable* until) override;
  Wake WaitFor(const Waitable* thing, std::chrono::milliseconds limit) override;

 private:
  bool quit_pending_ = false;
};

}  // namespace wethrix::win32
