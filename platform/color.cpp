#include "platform/color.hpp"

namespace wethrix {

std::uint32_t ResolveColor(Color color, const SystemColorLookup& system_color) {
  constexpr std::uint32_t kRgbMask = 0x00FFFFFF;
  if (!IsSystemColor(color)) return color & kRgbMask;
  const std::uint32_t index = color & ~kSystemColorFlag;
  if (index > static_cast<std::uint32_t>(kLastSystemColorIndex)) return 0;
  return system_color(static_cast<int>(index)) & kRgbMask;
}

}  // namespace wethrix
