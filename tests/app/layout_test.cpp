#include "platform/layout.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_layout.hpp"

namespace wethrix {
namespace {

TEST(LayoutTest, TwipsBecomeThePixelsOfTheDpi) {
  struct Case {
    int twips;
    int dpi;
    int pixels;
  };
  const Case cases[] = {
      {8040, 96, 536}, {4815, 96, 321}, {1700, 96, 113},  // 113.3
      {2950, 96, 197},                                    // 196.7
      {7, 96, 0},      {8, 96, 1},      {120, 144, 12},  {8040, 120, 670}, {-15, 96, -1}, {0, 192, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  }
}

TEST(LayoutTest, PointsBecomeCharacterHeightsOfTheDpi) {
  EXPECT_EQ(PointsToPixels(9, 96), 12);
  EXPECT_EQ(PointsToPixels(11.25, 96), 15);
  EXPECT_EQ(PointsToPixels(12, 96), 16);
  EXPECT_EQ(PointsToPixels(16, 96), 21);  // 21.3
  EXPECT_EQ(PointsToPixels(9, 144), 18);
}

TEST(LayoutTest, AFramesControlIsPlacedFromTheFramesCorner) {
  const auto design = MainWindowDesign();
  const auto label1 = std::ranges::find(design, std::string_view("Label1"), &ControlDesign::name);
  const TwipRect rect = ClientRect(design, *label1);
  EXPECT_EQ(rect.left, 120 + 240);
  EXPECT_EQ(rect.top, 600 + 345);
  EXPECT_EQ(rect.width, 5055);
  EXPECT_EQ(ToPixels(rect, 96), (PixelRect{24, 63, 337, 15}));
}

// A slip in the design table would put a control outside what holds it.
TEST(LayoutTest, EveryControlLiesWithinItsFrameAndTheClientArea) {
  for (const auto& control : MainWindowDesign()) {
    const TwipRect rect = ClientRect(MainWindowDesign(), control);
    EXPECT_GE(rect.left, 0) << control.name;
    EXPECT_LE(rect.left + rect.width, kClientWidthTwips) << control.name;
    EXPECT_LE(rect.top + rect.height, kClientHeightTwips) << control.name;
    if (control.frame.empty()) continue;
    const auto frame = std::ranges::find(MainWindowDesign(), control.frame, &ControlDesign::name);
    ASSERT_NE(frame, MainWindowDesign().end()) << control.name;
    EXPECT_EQ(frame->kind, ControlKind::kFrame);
    EXPECT_LE(control.rect.left + control.rect.width, frame->rect.width) << control.name;
    EXPECT_LE(control.rect.top + control.rect.height, frame->rect.height) << control.name;
  }
}

TEST(LayoutTest, Label3IsOneArrayOfThreeWithIndexedNames) {
  std::vector<std::string> names;
  for (const auto& control : MainWindowDesign()) {
    if (control.name == "Label3") names.push_back(FullName(control));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Label3(1)", "Label3(2)", "Label3(3)"}));
}

}  // namespace
}  // namespace wethrix
