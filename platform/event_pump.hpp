#pragma once
// Lets pending window events run while the user-interface thread waits for something.
#include <chrono>

namespace wethrix {

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Dispatches every window message already queued, then returns (one "let events run" pass).
  virtual void DoEvents() = 0;
  // Blocks until a message arrives or `limit` passes, dispatching nothing; pair with DoEvents
  // so a wait loop sleeps instead of spinning.
  virtual void WaitForEvents(std::chrono::milliseconds limit) = 0;
};

}  // namespace wethrix
