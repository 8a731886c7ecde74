#include "platform/win32/clock.hpp"

#include <windows.h>

namespace wethrix::win32 {

std::chrono::steady_clock::time_point SteadyClock::Now() const {
  return std::chrono::steady_clock::now();
}

void SteadyClock::Sleep(std::chrono::milliseconds duration) {
  ::Sleep(static_cast<DWORD>(duration.count()));
}

}  // namespace wethrix::win32
