#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/fakes/fake_services.hpp"
#include "platform/http_transfer.hpp"

namespace wethrix::fakes {

// Answers each transfer with the next scripted reply (none left: not reached). A transfer stays
// executing for `executing_polls` calls of StillExecuting; a negative count never finishes, and
// a cancel does not end it either (as a call the system does not wake).
class FakeHttpTransfer final : public HttpTransfer {
 public:
  [[nodiscard]] bool Begin(const std::string& url, HttpTimeouts limits) override;
  [[nodiscard]] bool StillExecuting() const override;
  [[nodiscard]] const Waitable& Finished() const override { return finished_; }
  void Cancel() override { ++cancels; }
  [[nodiscard]] HttpReply TakeReply() override;

  std::deque<HttpReply> replies;
  int executing_polls = 0;
  std::vector<std::string> urls;  // every transfer begun, in order
  std::vector<HttpTimeouts> timeouts;
  int cancels = 0;

 private:
  mutable int polls_left_ = 0;
  bool in_flight_ = false;
  FakeWaitable finished_{[this] { return !in_flight_ || polls_left_ == 0; }};
};

// A reply as the service sends it.
[[nodiscard]] HttpReply Reply(int status, std::string body);

}  // namespace wethrix::fakes
