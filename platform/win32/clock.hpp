#pragma once
#include "platform/clock.hpp"

namespace wethrix::win32 {

class SteadyClock final : public Clock {
 public:
  [[nodiscard]] std::chrono::steady_clock::time_point Now() const override;
  void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace wethrix::win32
