#include "platform/win32/services/clock.hpp"

namespace wethrix::win32 {

std::chrono::steady_clock::time_point SteadyClock::Now() const {
  return std::chrono::steady_clock::now();
}

}  // namespace wethrix::win32
