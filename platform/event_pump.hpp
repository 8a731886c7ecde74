#pragma once
// Lets pending window events run while the user-interface thread waits for something.
#include <chrono>
#include <cstdint>

#include "platform/clock.hpp"

namespace wethrix {

// Something a wait can wake on the moment it is done: a finished transfer, an ended process.
class Waitable {
 public:
  virtual ~Waitable() = default;
  // The kernel object a Win32 wait takes (an event, a process); 0 when there is none.
  [[nodiscard]] virtual std::uintptr_t NativeHandle() const = 0;
  [[nodiscard]] virtual bool Done() const = 0;
};

enum class Wake { kDone, kMessage, kTimeOut };

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Dispatches every window message already queued, then returns (one "let events run" pass).
  void DoEvents() { Pass(nullptr); }
  // The same pass, but it ends as soon as `thing` is done, leaving the messages still queued to
  // the next pass: a wait that lets events run learns of its end at once, not after a window's
  // whole first paint.
  void DoEventsUntil(const Waitable& thing) { Pass(&thing); }
  // The pass both take; without `until` it runs until the queue is empty.
  virtual void Pass(const Waitable* until) = 0;
  // Blocks until `thing` (when given) is done, a message arrives or `limit` passes, dispatching
  // nothing; pair with DoEvents so a wait loop sleeps instead of spinning. Once the program's
  // quit is pending no message wakes it, so a wait that goes on meanwhile does not spin.
  virtual Wake WaitFor(const Waitable* thing, std::chrono::milliseconds limit) = 0;
};

// Done once the flag it watches is set: a wait that lets events run ends when one of them sets it.
class FlagRaised final : public Waitable {
 public:
  explicit FlagRaised(const bool& flag) : flag_(flag) {}
  [[nodiscard]] std::uintptr_t NativeHandle() const override { return 0; }
  [[nodiscard]] bool Done() const override { return flag_; }

 private:
  const bool& flag_;
};

// Lets events run until `thing`, when given, is done or `limit` has passed, sleeping between.
void LetEventsRun(EventPump& events, const Clock& clock, const Waitable* thing,
                  std::chrono::milliseconds limit);

}  // namespace wethrix
