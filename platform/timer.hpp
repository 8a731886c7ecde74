#pragma once
#include <chrono>
#include <functional>

namespace wethrix {

// A window timer: ticks arrive through the message loop of the user-interface thread.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetInterval(std::chrono::milliseconds interval) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  [[nodiscard]] virtual bool Enabled() const = 0;
  [[nodiscard]] virtual std::chrono::milliseconds Interval() const = 0;
  virtual void OnTick(std::function<void()> handler) = 0;
};

}  // namespace wethrix
