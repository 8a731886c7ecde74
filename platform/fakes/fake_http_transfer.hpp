#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/fakes/fake_services.hpp"
#include "platform/http_transfer.hpp"

namespace wethrix::fakes {

// Answers each transfer with the next scripted reply (none left: not reached). A transfer stays
// executing for `executing_polls` calls of StillExecuting; a negative count never finishes, not
// even when abandoned (as a call the system does not wake). An abandoned transfer takes no reply
// and runs on aside until EndAbandoned, as until its socket closes at last.
class FakeHttpTransfer final : public HttpTransfer {
 public:
  [[nodiscard]] bool Begin(const std::string& url, HttpTimeouts limits) override;
  [[nodiscard]] bool StillExecuting() const override;
  [[nodiscard]] const Waitable& Finished() const override { return finished_; }
  [[nodiscard]] bool Abandon() override;
  [[nodiscard]] HttpReply TakeReply() override;
  void EndAbandoned() { abandoned_running_ = false; }

  std::deque<HttpReply> replies;
  int executing_polls = 0;
  std::vector<std::string> urls;  // every transfer begun, in order
  std::vector<HttpTimeouts> timeouts;
  const Clock* clock = nullptr;  // when set, the moment of each transfer begun goes into begun_at
  std::vector<std::chrono::steady_clock::time_point> begun_at;
  int abandons = 0;  // calls of Abandon while a transfer was in flight

 private:
  [[nodiscard]] bool Executing() const { return in_flight_ && polls_left_ != 0; }
  [[nodiscard]] bool SetAside();

  mutable int polls_left_ = 0;
  bool in_flight_ = false;
  bool given_up_ = false;
  bool abandoned_running_ = false;
  FakeWaitable finished_{[this] { return !Executing(); }};
};

// A reply as the service sends it.
[[nodiscard]] HttpReply Reply(int status, std::string body);

}  // namespace wethrix::fakes
