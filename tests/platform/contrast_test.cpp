#include "platform/contrast.hpp"

#include <gtest/gtest.h>

#include "platform/fakes/fake_system_colors.hpp"

namespace wethrix {
namespace {

TEST(ContrastTest, AHighContrastThemeGivesEverythingButPictureBoxesTheSystemsColours) {
  fakes::FakeSystemColors system;
  const Ink designed{0x00FFFFFF, 0x00302010};
  const Ink face{system.Value(15), system.Value(8)};   // the button face, the window text
  const Ink window{system.Value(5), system.Value(8)};  // the window colour, the window text
  struct Case {
    std::optional<ControlKind> kind;
    Ink high_contrast{};
  };
  const Case cases[] = {
      {std::nullopt, face},  // the form itself
      {ControlKind::kFrame, face},
      {ControlKind::kLabel, face},
      {ControlKind::kOptionButton, face},
      {ControlKind::kCheckBox, face},
      {ControlKind::kPushButton, face},
      {ControlKind::kTextBox, window},
      {ControlKind::kPictureBox, designed},  // the user's colours
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind ? static_cast<int>(*c.kind) : -1);
    EXPECT_EQ(ContrastInk(c.kind, designed, false, system), designed);
    EXPECT_EQ(ContrastInk(c.kind, designed, true, system), c.high_contrast);
  }
}

}  // namespace
}  // namespace wethrix
