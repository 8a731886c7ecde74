#pragma once
#include "platform/clock.hpp"

namespace wethrix::win32 {

class SteadyClock final : public Clock {
 public:
  [[nodiscard]] std::chrono::steady_clock::time_point Now() const override;
};

}  // namespace wethrix::win32
