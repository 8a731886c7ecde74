#include "app/main_accessibility.hpp"

#include <gtest/gtest.h>

#include "platform/fakes/fake_main_view.hpp"
#include "platform/fakes/fake_system_colors.hpp"

namespace wethrix {
namespace {

TEST(MainAccessibilityTest, TheChangeButtonsSwatchesAndSampleAreNamedAndTheProgramsOwnControlsWithheld) {
  fakes::FakeMainView view;
  const fakes::FakeSystemColors system;
  DescribeMainWindow(view, system);
  EXPECT_EQ(view.accessibility.names, (std::map<std::string, std::string>{
                                          {"PushButton7", "Change font color"},
                                          {"PushButton8", "Change background color"},
                                          {"Picture2", "Font color"},
                                          {"Picture3", "Background color"},
                                          {"Picture4", "Sample"},
                                      }));
  EXPECT_EQ(view.accessibility.withheld, (std::set<std::string>{"Picture1", "Text2"}));
}

// Read when asked, not when described: a screen reader hears the colour and text shown now.
TEST(MainAccessibilityTest, ValuesAreTheColoursAndTheTextShownWhenTheyAreAskedFor) {
  fakes::FakeMainView view;
  fakes::FakeSystemColors system;
  system.values[15] = 0x00C8D0D4;
  DescribeMainWindow(view, system);
  view.Box(2).SetBackColor(0x0000FFFF);
  view.Box(3).SetBackColor(0x00302010);
  view.text2 =
      "61 \xC2\xB0"
      "F";
  EXPECT_EQ(view.accessibility.ValueOf("Picture2"), "#FFFF00");
  EXPECT_EQ(view.accessibility.ValueOf("Picture3"), "#102030");
  EXPECT_EQ(view.accessibility.ValueOf("Picture4"),
            "61 \xC2\xB0"
            "F");

  view.Box(2).SetBackColor(kButtonFace);
  view.text2 = "N/A";
  EXPECT_EQ(view.accessibility.ValueOf("Picture2"), "#D4D0C8") << "a system colour as the scheme has it";
  EXPECT_EQ(view.accessibility.ValueOf("Picture4"), "N/A");
}

}  // namespace
}  // namespace wethrix
