#include <gtest/gtest.h>

#include <vector>

#include "options/palette_skin.hpp"
#include "options/skin_file.hpp"
#include "platform/fakes/fake_services.hpp"

namespace wethrix {
namespace {

TEST(SkinFileTest, ReadsNamedColoursAsStoredColours) {
  const SkinPalette palette = ParseSkinFile(
      "\xEF\xBB\xBF; a skin\r\n"
      "window=#D4D0C8\r\n"
      "  Text = #000080  \n"
      "frame_text=#ff0000 ; captions\n"
      "button=#00FF00");
  EXPECT_EQ(palette.window, Color{0x00C8D0D4});
  EXPECT_EQ(palette.text, Color{0x00800000});
  EXPECT_EQ(palette.frame_text, Color{0x000000FF});
  EXPECT_EQ(palette.button, Color{0x0000FF00});
}

TEST(SkinFileTest, SkipsWhatItDoesNotUnderstand) {
  const std::string lines[] = {
      "window",
      "window=",
      "window=D4D0C8",
      "window=#D4D0C",
      "window=#D4D0C8FF",
      "window=#GGGGGG",
      "=#D4D0C8",
      "colour=#D4D0C8",
      "# window=#D4D0C8",
      "window=#12 456",
      std::string("window=#1234\0"
                  "56",
                  13),
      "\xFF\xFE=#123456",
  };
  for (const auto& line : lines) EXPECT_TRUE(ParseSkinFile(line).Empty()) << line;
  EXPECT_TRUE(ParseSkinFile("").Empty());
}

TEST(SkinFileTest, TheLastLineForANameWins) {
  EXPECT_EQ(ParseSkinFile("text=#010203\ntext=#bad\ntext=#0A0B0C\n").text, Color{0x000C0B0A});
}

struct Applied {
  std::int32_t window;
  SkinPalette palette;
};

class PaletteSkinTest : public testing::Test {
 protected:
  PaletteSkinTest() {
    const std::string text = "window=#102030\ntext=#405060\nframe_text=#708090\nbutton=#A0B0C0\n";
    files_.files[R"(C:\P\x\o.cjs)"] = Bytes(text.begin(), text.end());
  }
  fakes::FakeFileSystem files_;
  std::vector<Applied> applied_;
  PaletteSkin skin_{files_, [this](std::int32_t window, const SkinPalette& palette) {
                      applied_.push_back({window, palette});
                    }};
};

TEST_F(PaletteSkinTest, AppliesNothingUntilSwitchedOn) {
  skin_.LoadSkin(R"(C:\P\x\o.cjs)", "");
  skin_.ApplyWindow(7);
  EXPECT_TRUE(applied_.empty());
  skin_.SetOptions(skin_.Options() | kSkinEnabled);
  skin_.ApplyWindow(7);
  ASSERT_EQ(applied_.size(), 1U);
  EXPECT_EQ(applied_[0].window, 7);
}

TEST_F(PaletteSkinTest, ControlAndButtonColoursFollowTheirSwitches) {
  skin_.LoadSkin(R"(C:\P\x\o.cjs)", "");
  skin_.SetOptions(kSkinEnabled);
  skin_.ApplyWindow(1);
  skin_.SetSkinControls(true);
  skin_.SetSkinButtons(true);
  skin_.ApplyWindow(1);
  ASSERT_EQ(applied_.size(), 2U);
  EXPECT_EQ(applied_[0].palette, (SkinPalette{Color{0x302010}, std::nullopt, std::nullopt, std::nullopt}));
  EXPECT_EQ(applied_[1].palette,
            (SkinPalette{Color{0x302010}, Color{0x605040}, Color{0x908070}, Color{0xC0B0A0}}));
}

TEST_F(PaletteSkinTest, AMissingOrEmptyFileChangesNothing) {
  files_.files["C:\\P\\empty.cjs"] = {};
  for (const char* path : {"C:\\P\\none.cjs", "C:\\P\\empty.cjs"}) {
    skin_.LoadSkin(path, "");
    skin_.SetOptions(kSkinEnabled);
    skin_.ApplyWindow(1);
  }
  EXPECT_TRUE(applied_.empty());
}

}  // namespace
}  // namespace wethrix
