#pragma once
// Colours as the program stores them (0x00BBGGRR, or 0x80000000 plus a system colour index)
// resolved to the 0x00BBGGRR value that is actually drawn.
#include <cstdint>
#include <functional>

#include "platform/picture_box.hpp"

namespace wethrix {

inline constexpr Color kSystemColorFlag = 0x80000000;
inline constexpr int kLastSystemColorIndex = 30;  // the menu bar, the highest index Windows defines

[[nodiscard]] constexpr bool IsSystemColor(Color color) {
  return (color & kSystemColorFlag) != 0;
}

// Gives the current 0x00BBGGRR value of a system colour index.
using SystemColorLookup = std::function<std::uint32_t(int index)>;

// An index beyond the known system colours draws black, as the system does for it. Plain
// colours lose whatever sits in their top byte.
[[nodiscard]] std::uint32_t ResolveColor(Color color, const SystemColorLookup& system_color);

}  // namespace wethrix
