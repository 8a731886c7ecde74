#pragma once
#include <chrono>
#include <mutex>
#include <thread>

#include "platform/http_transfer.hpp"
#include "platform/win32/unique_handle.hpp"

namespace wethrix::win32 {

// HTTP and HTTPS through WinINet with the user's proxy settings and no caching. Each transfer
// runs on its own worker thread; the user-interface thread polls StillExecuting, which aborts a
// transfer past its total time by closing the request handle under the worker's feet. The
// worker never touches a window; it leaves the reply for TakeReply. The destructor aborts and
// joins.
class WinInetTransfer final : public HttpTransfer {
 public:
  WinInetTransfer() = default;
  WinInetTransfer(const WinInetTransfer&) = delete;
  WinInetTransfer& operator=(const WinInetTransfer&) = delete;
  ~WinInetTransfer() override;

  [[nodiscard]] bool Begin(const std::string& url, HttpTimeouts timeouts) override;
  [[nodiscard]] bool StillExecuting() const override;
  [[nodiscard]] HttpReply TakeReply() override;

 private:
  // What the worker and the waiting side share; guarded by `mutex`.
  struct Flight {
    std::mutex mutex;
    unique_hinternet request;  // closed by whichever side is done with it first
    bool aborted = false;
    bool finished = false;
    std::chrono::steady_clock::time_point deadline;
    HttpReply reply;
  };

  // The parents of a request; the worker closes them only after the request.
  struct Connection {
    unique_hinternet session;
    unique_hinternet connection;
  };

  void Run(const std::string& url, HttpTimeouts timeouts) noexcept;
  [[nodiscard]] HttpReply Fetch(const std::string& url, HttpTimeouts timeouts, Connection& parents);
  // Hands the request to the shared state; false when the transfer was aborted meanwhile.
  [[nodiscard]] bool Publish(unique_hinternet request);
  [[nodiscard]] bool Aborted() const;
  void Abort() const;

  mutable Flight flight_;
  std::thread worker_;
};

}  // namespace wethrix::win32
