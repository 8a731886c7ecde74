#pragma once
#include <chrono>

namespace wethrix {

// Elapsed time for waits and time-outs; a fake advances only when told to.
class Clock {
 public:
  virtual ~Clock() = default;
  [[nodiscard]] virtual std::chrono::steady_clock::time_point Now() const = 0;
};

}  // namespace wethrix
