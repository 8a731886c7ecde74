#include "platform/event_pump.hpp"

namespace wethrix {

void LetEventsRun(EventPump& events, const Clock& clock, const Waitable* thing,
                  std::chrono::milliseconds limit) {
  const auto until = clock.Now() + limit;
  while (thing == nullptr || !thing->Done()) {
    events.DoEvents();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - clock.Now());
    if (left <= std::chrono::milliseconds{0}) return;
    events.WaitFor(thing, left);
  }
}

}  // namespace wethrix
