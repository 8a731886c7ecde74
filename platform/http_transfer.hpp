#pragma once
#include <chrono>
#include <string>

namespace wethrix {

struct HttpTimeouts {
  std::chrono::milliseconds connect{15000};
  std::chrono::milliseconds total{30000};
};

struct HttpReply {
  bool reached = false;   // an HTTP answer arrived, whatever its status
  bool timed_out = false;
  int status = 0;         // HTTP status when reached
  std::string body;       // the body as sent, also for error statuses
};

// One transfer at a time, run off the user-interface thread; the caller polls StillExecuting
// while letting window events run.
class HttpTransfer {
 public:
  virtual ~HttpTransfer() = default;
  // Starts a GET. Returns false, and starts nothing, while an earlier transfer is in flight.
  [[nodiscard]] virtual bool Begin(const std::string& url, HttpTimeouts timeouts) = 0;
  [[nodiscard]] virtual bool StillExecuting() const = 0;
  // The finished transfer's reply; empty (not reached) when none finished.
  [[nodiscard]] virtual HttpReply TakeReply() = 0;
};

}  // namespace wethrix
