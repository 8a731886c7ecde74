#pragma once
#include <cstdint>

namespace wethrix {

// The system colour picker. Returns the chosen colour (0x00BBGGRR), or `initial` on Cancel.
class ColorPicker {
 public:
  virtual ~ColorPicker() = default;
  [[nodiscard]] virtual std::uint32_t Choose(std::uint32_t initial) = 0;
};

}  // namespace wethrix
