#pragma once
// The desktop's colour scheme: whether a high-contrast theme is on, and its colours.
#include <cstdint>

namespace wethrix {

class SystemColors {
 public:
  virtual ~SystemColors() = default;
  [[nodiscard]] virtual bool HighContrast() const = 0;
  // The current 0x00BBGGRR value of a system colour index (COLOR_BTNFACE is 15).
  [[nodiscard]] virtual std::uint32_t Value(int index) const = 0;
};

}  // namespace wethrix
