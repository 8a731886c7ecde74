#pragma once
#include "platform/timer.hpp"

namespace wethrix::fakes {

// Ticks only when the test calls Tick, and only while enabled with an interval.
class FakeTimer final : public Timer {
 public:
  void SetInterval(std::chrono::milliseconds interval) override { interval_ = interval; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  [[nodiscard]] bool Enabled() const override { return enabled_; }
  [[nodiscard]] std::chrono::milliseconds Interval() const override { return interval_; }
  void OnTick(std::function<void()> handler) override { handler_ = std::move(handler); }
  // Returns whether a tick was delivered.
  bool Tick() {
    if (!enabled_ || interval_.count() == 0 || !handler_) return false;
    handler_();
    return true;
  }

 private:
  std::chrono::milliseconds interval_{0};
  bool enabled_ = true;
  std::function<void()> handler_;
};

}  // namespace wethrix::fakes
