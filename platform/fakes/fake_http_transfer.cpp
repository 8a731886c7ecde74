#include "platform/fakes/fake_http_transfer.hpp"

namespace wethrix::fakes {

bool FakeHttpTransfer::Begin(const std::string& url, HttpTimeouts limits) {
  if (in_flight_ && polls_left_ != 0) return false;
  urls.push_back(url);
  timeouts.push_back(limits);
  polls_left_ = executing_polls;
  in_flight_ = true;
  return true;
}

bool FakeHttpTransfer::StillExecuting() const {
  if (!in_flight_ || polls_left_ == 0) return false;
  if (polls_left_ > 0) --polls_left_;
  return true;
}

HttpReply FakeHttpTransfer::TakeReply() {
  if (!in_flight_) return {};
  in_flight_ = false;
  if (replies.empty()) return {};
  HttpReply reply = std::move(replies.front());
  replies.pop_front();
  return reply;
}

HttpReply Reply(int status, std::string body) {
  return {true, false, status, std::move(body)};
}

}  // namespace wethrix::fakes
