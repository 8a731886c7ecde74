#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/http_transfer.hpp"

namespace wethrix::fakes {

// Answers each transfer with the next scripted reply (none left: not reached). A transfer stays
// executing for `executing_polls` calls of StillExecuting; a negative count never finishes.
class FakeHttpTransfer final : public HttpTransfer {
 public:
  [[nodiscard]] bool Begin(const std::string& url, HttpTimeouts limits) override;
  [[nodiscard]] bool StillExecuting() const override;
  [[nodiscard]] HttpReply TakeReply() override;

  std::deque<HttpReply> replies;
  int executing_polls = 0;
  std::vector<std::string> urls;  // every transfer begun, in order
  std::vector<HttpTimeouts> timeouts;

 private:
  mutable int polls_left_ = 0;
  bool in_flight_ = false;
};

// A reply as the service sends it.
[[nodiscard]] HttpReply Reply(int status, std::string body);

}  // namespace wethrix::fakes
