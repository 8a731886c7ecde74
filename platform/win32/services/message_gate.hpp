#pragma once
// Any program may post or send a window of ours any message. A few carry what only Windows, on the
// window's own thread, or the program itself can give: a pointer Windows does not copy between
// processes, a procedure to call, or the window's own life. Which they are is decided here, once:
// the gate turns each of them that was posted into WM_NULL in whichever loop takes it from the
// queue (the main loop, a wait's, a message box's, the input box's, a menu's, moving and sizing),
// and every window procedure of the program asks SentFromElsewhere before a handler sees it.
#include <windows.h>

#include <functional>

#include "platform/win32/handles/unique_handle.hpp"

namespace wethrix::win32 {

// One of those messages, sent by another thread: its window procedure drops it. Windows keeps no
// finer record, so one that this thread sends while it handles another thread's message is dropped
// too: a skinned push button then paints plainly into another program's WM_PRINT, and a window
// destroyed meanwhile (the key dialog closed by another program's sent WM_CLOSE) is not told of its
// end, so its object and its description let go of it only when they go themselves. A window's
// creation is not among them: a window binds its object at its first WM_NCCREATE or WM_INITDIALOG.
[[nodiscard]] bool SentFromElsewhere(UINT message) noexcept;

// Guards the thread that makes it, for as long as it lives. A WM_QUIT, which would end a loop and
// skip the close, runs `close` instead (it only posts, and throws nothing): the program's own end
// never comes back to a loop.
class MessageGate {
 public:
  explicit MessageGate(std::function<void()> close);
  MessageGate(const MessageGate&) = delete;
  MessageGate& operator=(const MessageGate&) = delete;
  MessageGate(MessageGate&&) = delete;
  MessageGate& operator=(MessageGate&&) = delete;
  ~MessageGate();

 private:
  std::function<void()> close_;
  unique_hhook hook_;
};

}  // namespace wethrix::win32
