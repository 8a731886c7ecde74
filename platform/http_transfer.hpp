#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "platform/event_pump.hpp"

namespace wethrix {

struct HttpTimeouts {
  std::chrono::milliseconds connect{15000};
  std::chrono::milliseconds total{30000};
};

// Why a transfer got no answer, as the system says it: WinINet's numbers, which the Win32
// transfer passes on unchanged (and checks against WinINet's own names when it is built).
namespace http_error {
inline constexpr std::uint32_t kNameNotResolved = 12007;
inline constexpr std::uint32_t kCannotConnect = 12029;
inline constexpr std::uint32_t kCertificateDateInvalid = 12037;
inline constexpr std::uint32_t kCertificateNameInvalid = 12038;
inline constexpr std::uint32_t kUnknownAuthority = 12045;
inline constexpr std::uint32_t kCertificateErrors = 12055;
inline constexpr std::uint32_t kCertificateNoRevocation = 12056;
inline constexpr std::uint32_t kCertificateRevocationFailed = 12057;
inline constexpr std::uint32_t kSecureChannel = 12157;
inline constexpr std::uint32_t kDisconnected = 12163;
inline constexpr std::uint32_t kProxyUnreachable = 12165;
inline constexpr std::uint32_t kCertificateInvalid = 12169;
inline constexpr std::uint32_t kCertificateRevoked = 12170;
}  // namespace http_error

struct HttpReply {
  bool reached = false;  // an HTTP answer arrived, whatever its status (a proxy's too)
  bool timed_out = false;
  int status = 0;           // HTTP status when reached
  std::string body;         // the body as sent, also for error statuses
  std::uint32_t error = 0;  // why nothing was reached, when the system said (http_error)
  bool via_proxy = false;   // the request was handed to a proxy server
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
