#pragma once
#include <windows.h>

#include <functional>

#include "platform/event_pump.hpp"

namespace wethrix::win32 {

// Dispatches the calling thread's queued messages. A WM_QUIT met on the way is posted again so
// the main message loop still ends; from then on waits no longer wake for the queue, which the
// re-posted quit would keep signalled.
class Win32EventPump final : public EventPump {
 public:
  // The forms' keyboard handling (Tab, arrows, Enter, Esc); true when it took the message.
  using PreTranslate = std::function<bool(MSG&)>;
  void SetPreTranslate(PreTranslate pre_translate) { pre_translate_ = std::move(pre_translate); }
  // One message, handed on as the main loop and every wait hand it on, so that the keys work
  // alike whether or not a refresh is waiting.
  void Dispatch(MSG& msg) const;

  void Pass(const Waitable* until) override;
  Wake WaitFor(const Waitable* thing, std::chrono::milliseconds limit) override;

 private:
  PreTranslate pre_translate_;
  bool quit_pending_ = false;
};

}  // namespace wethrix::win32
