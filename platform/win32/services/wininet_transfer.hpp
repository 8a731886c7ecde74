#pragma once
#include <memory>
#include <string>

#include "platform/http_transfer.hpp"

namespace wethrix::win32 {

// HTTP and HTTPS through WinINet with the user's proxy settings (a host on this machine is reached
// directly), no caching and no redirects. Each transfer runs on a worker thread of its own, which
// never touches a window: it leaves the reply for TakeReply and then signals Finished. Only
// Abandon gives a transfer up; StillExecuting merely asks.
//
// A transfer is a flight: its worker, its event and what the worker shares with the
// user-interface thread. There are two: the live one, and the last one abandoned, which may still
// be held in a call until the request's time-outs end it. Setting a flight aside swaps the two
// once the abandoned one has ended, so one transfer that will not end never holds up the next,
// and no more than one is left running.
//
// Only the worker ever touches its request handle: giving up marks the flight, and the worker
// stops at its next step. The destructor gives up both flights and waits for their workers a
// moment at most; the workers co-own what they use.
class WinInetTransfer final : public HttpTransfer {
 public:
  WinInetTransfer();
  WinInetTransfer(const WinInetTransfer&) = delete;
  WinInetTransfer& operator=(const WinInetTransfer&) = delete;
  WinInetTransfer(WinInetTransfer&&) = delete;
  WinInetTransfer& operator=(WinInetTransfer&&) = delete;
  ~WinInetTransfer() override;

  [[nodiscard]] bool Begin(const std::string& url, HttpTimeouts timeouts) override;
  [[nodiscard]] bool StillExecuting() const override;
  [[nodiscard]] const Waitable& Finished() const override { return finished_; }
  [[nodiscard]] bool Abandon() override;
  [[nodiscard]] HttpReply TakeReply() override;

 private:
  class Flight;

  // Done when the live flight's worker is, whichever flight is live at the time.
  class LiveFinished final : public Waitable {
   public:
    explicit LiveFinished(const WinInetTransfer& transfer) : transfer_(transfer) {}
    [[nodiscard]] std::uintptr_t NativeHandle() const override;
    [[nodiscard]] bool Done() const override;

   private:
    const WinInetTransfer& transfer_;
  };

  // The live flight goes aside once the one abandoned before it has ended; false till then.
  [[nodiscard]] bool SetAside();

  std::unique_ptr<Flight> live_;
  std::unique_ptr<Flight> abandoned_;
  LiveFinished finished_{*this};
};

}  // namespace wethrix::win32
