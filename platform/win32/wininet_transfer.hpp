#pragma once
#include <chrono>
#include <mutex>
#include <string>

#include "platform/http_transfer.hpp"
#include "platform/win32/kernel_waitable.hpp"
#include "platform/win32/unique_handle.hpp"

namespace wethrix::win32 {

// HTTP and HTTPS through WinINet with the user's proxy settings and no caching. Each transfer
// runs on its own worker thread, which never touches a window: it leaves the reply for TakeReply
// and then signals Finished. Only Cancel gives a transfer up; StillExecuting merely asks.
//
// The request handle is the one thing both threads touch. The worker opens it and hands it to
// `flight_` before it sends; from then on `flight_` owns it and it is closed once, under the
// mutex, by whichever comes first: Cancel on the user-interface thread (closing is how WinINet
// wakes a blocked call, whose use of the handle then fails) or the worker when it is done with
// it. A Cancel before the hand-over makes the worker close the handle itself and stop. The
// destructor cancels and joins.
class WinInetTransfer final : public HttpTransfer {
 public:
  WinInetTransfer();
  WinInetTransfer(const WinInetTransfer&) = delete;
  WinInetTransfer& operator=(const WinInetTransfer&) = delete;
  ~WinInetTransfer() override;

  [[nodiscard]] bool Begin(const std::string& url, HttpTimeouts timeouts) override;
  [[nodiscard]] bool StillExecuting() const override;
  [[nodiscard]] const Waitable& Finished() const override { return finished_waitable_; }
  void Cancel() override;
  [[nodiscard]] HttpReply TakeReply() override;

 private:
  // What the worker and the user-interface thread share; guarded by `mutex`.
  struct Flight {
    std::mutex mutex;
    unique_hinternet request;
    bool cancelled = false;
    std::chrono::steady_clock::time_point deadline;
    HttpReply reply;
  };

  // The parents of a request; the worker closes them only after the request.
  struct Connection {
    unique_hinternet session;
    unique_hinternet connection;
  };

  static DWORD WINAPI WorkerMain(void* transfer);
  void JoinWorker() noexcept;
  void Run() noexcept;
  [[nodiscard]] HttpReply Fetch(const std::string& url, HttpTimeouts timeouts, Connection& parents);
  // Hands the request to `flight_`; false, and the request closed, when it was cancelled first.
  [[nodiscard]] bool HandOver(unique_hinternet request);
  [[nodiscard]] bool GivenUp();
  void Finish(HttpReply reply);

  Flight flight_;
  unique_kernel_handle finished_;  // manual-reset event, set when the worker is done
  KernelWaitable finished_waitable_;
  unique_kernel_handle worker_;
  // The transfer the worker runs; written before it starts, read only by it.
  std::string url_;
  HttpTimeouts timeouts_;
};

}  // namespace wethrix::win32
