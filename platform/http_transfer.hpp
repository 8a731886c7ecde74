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
// letting window events run, and cancels a transfer that outlives its time.
class HttpTransfer {
 public:
  virtual ~HttpTransfer() = default;
  // Starts a GET. Returns false, and starts nothing, while an earlier transfer is in flight.
  [[nodiscard]] virtual bool Begin(const std::string& url, HttpTimeouts timeouts) = 0;
  // Whether a transfer is in flight; asking changes nothing.
  [[nodiscard]] virtual bool StillExecuting() const = 0;
  // Done the moment the transfer in flight ends.
  [[nodiscard]] virtual const Waitable& Finished() const = 0;
  // Gives up the transfer in flight: it ends as soon as the system lets it, timed out. Nothing
  // happens when none is in flight.
  virtual void Cancel() = 0;
  // The finished transfer's reply; empty (not reached) when none finished.
  [[nodiscard]] virtual HttpReply TakeReply() = 0;
};

}  // namespace wethrix
