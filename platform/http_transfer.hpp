#pragma once
#include <chrono>
#include <string>

#include "platform/event_pump.hpp"

namespace wethrix {

struct HttpTimeouts {
  std::chrono::milliseconds connect{15000};
  std::chrono::milliseconds total{30000};
};

struct HttpReply {
  bool reached = false;  // an HTTP answer arrived, whatever its status
  bool timed_out = false;
  int status = 0;    // HTTP status when reached
  std::string body;  // the body as sent, also for error statuses
};

// One transfer at a time, run off the user-interface thread; the caller waits on Finished while
// letting window events run, and abandons a transfer that outlives its time.
class HttpTransfer {
 public:
  virtual ~HttpTransfer() = default;
  // Starts a GET. Returns false, and starts nothing, while an earlier transfer is in flight that
  // has not been abandoned, or that could not be set aside yet (see Abandon).
  [[nodiscard]] virtual bool Begin(const std::string& url, HttpTimeouts timeouts) = 0;
  // Whether a transfer is in flight; asking changes nothing.
  [[nodiscard]] virtual bool StillExecuting() const = 0;
  // Done the moment the transfer in flight ends.
  [[nodiscard]] virtual const Waitable& Finished() const = 0;
  // Gives up the transfer in flight, waking it where the system can: it ends by itself as soon as
  // the system lets it, and its reply, whenever it comes, is dropped. True when it is set aside at
  // once: nothing is in flight any more and the next Begin starts. Only one abandoned transfer is
  // left to end by itself at a time, so while an earlier one still runs this one stays in flight
  // and false is returned; a later Begin sets it aside once the earlier one has ended. True when
  // nothing is in flight.
  [[nodiscard]] virtual bool Abandon() = 0;
  // The finished transfer's reply; empty (not reached) when none finished, timed out when it was
  // abandoned.
  [[nodiscard]] virtual HttpReply TakeReply() = 0;
};

}  // namespace wethrix
