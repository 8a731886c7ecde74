#include "platform/color.hpp"

#include <gtest/gtest.h>

namespace wethrix {
namespace {

TEST(ColorTest, SystemColoursAreLookedUpAndPlainOnesKept) {
  const SystemColorLookup system = [](int index) {
    return 0x00010000U * static_cast<std::uint32_t>(index) + 7;
  };
  struct Case {
    Color stored;
    std::uint32_t drawn;
  };
  const Case cases[] = {
      {0x00FFFFFF, 0x00FFFFFF},  {0x0000FFFF, 0x0000FFFF},
      {0x12345678, 0x00345678},                             // a stray top byte is not part of the colour
      {kButtonFace, 0x000F0007}, {0x80000000, 0x00000007},  // index 0, the scroll bar
      {0x8000001E, 0x001E0007},                             // the highest index
      {0x8000001F, 0},                                      // beyond the known indexes
      {0xFFFFFFFF, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveColor(c.stored, system), c.drawn) << std::hex << c.stored;
}

}  // namespace
}  // namespace wethrix
