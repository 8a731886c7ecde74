#include "platform/win32/services/window_timer.hpp"

#include <algorithm>

#include "platform/win32/services/check.hpp"

namespace wethrix::win32 {

void WindowTimer::SetInterval(std::chrono::milliseconds interval) {
  interval_ = interval < std::chrono::milliseconds::zero() ? std::chrono::milliseconds::zero() : interval;
  Restart();
}

void WindowTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}

void WindowTimer::Tick() const {
  if (running_ && handler_) handler_();
}

// Setting the interval or enabling again starts the period afresh.
void WindowTimer::Restart() {
  Stop();
  if (!enabled_ || interval_.count() == 0) return;
  const auto period = static_cast<UINT>(std::min<long long>(interval_.count(), USER_TIMER_MAXIMUM));
  if (::SetTimer(window_, id_, period, nullptr) == 0) ThrowLastError();
  running_ = true;
}

void WindowTimer::Stop() noexcept {
  if (running_) ::KillTimer(window_, id_);
  running_ = false;
}

}  // namespace wethrix::win32
