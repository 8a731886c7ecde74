#include "platform/fakes/fake_http_transfer.hpp"

namespace wethrix::fakes {

bool FakeHttpTransfer::Begin(const std::string& url, HttpTimeouts limits) {
  if (Executing() && !(given_up_ && SetAside())) return false;
  urls.push_back(url);
  timeouts.push_back(limits);
  if (clock != nullptr) begun_at.push_back(clock->Now());
  polls_left_ = executing_polls;
  in_flight_ = true;
  given_up_ = false;
  return true;
}

bool FakeHttpTransfer::StillExecuting() const {
  if (!Executing()) return false;
  if (polls_left_ > 0) --polls_left_;
  return true;
}

bool FakeHttpTransfer::Abandon() {
  if (!Executing()) return true;
  ++abandons;
  given_up_ = true;
  return SetAside();
}

HttpReply FakeHttpTransfer::TakeReply() {
  if (!in_flight_ || Executing()) return {};
  in_flight_ = false;
  if (given_up_) return {false, true, 0, {}};
  if (replies.empty()) return {};
  HttpReply reply = std::move(replies.front());
  replies.pop_front();
  return reply;
}

bool FakeHttpTransfer::SetAside() {
  if (abandoned_running_) return false;
  abandoned_running_ = true;
  in_flight_ = false;
  return true;
}

HttpReply Reply(int status, std::string body) {
  return {true, false, status, std::move(body)};
}

}  // namespace wethrix::fakes
