#include <gtest/gtest.h>

#include "tests/form1/form1_harness.hpp"

namespace wethrix::testing {
namespace {

constexpr std::string_view kRunKey = R"(Software\Microsoft\Windows\CurrentVersion\Run)";

class Form1OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.Answer(200, kSanDiegoReply);
    h.Start();
    h.store.writes.clear();
    h.dialogs.boxes.clear();
  }
  Form1Harness h;
};

TEST_F(Form1OptionsTest, ANewLocationIsStoredAsTypedAndRefreshesAloud) {
  h.dialogs.input_answers.emplace_back("  Paris France ");
  h.Answer(401, kRefusedReply);
  h.form->PushButton4_Click();

  ASSERT_EQ(h.dialogs.input_prompts.size(), 1U);
  EXPECT_EQ(
      h.dialogs.input_prompts[0].text,
      "Please enter your location: \r\n\r\n(For example: Londonderry, NH or San Diego CA or Paris France");
  EXPECT_EQ(h.dialogs.input_prompts[0].title, "Wethrix");
  EXPECT_EQ(h.dialogs.input_defaults[0], "San Diego CA");
  EXPECT_EQ(h.view.label1, "  Paris France ");
  EXPECT_EQ(h.Setting("Text1"), "  Paris France ");
  EXPECT_EQ(h.Refreshes(), 2);
  EXPECT_NE(h.inet.urls.back().find("q=%22%20%20Paris%20France%20%22"), std::string::npos)
      << h.inet.urls.back();
  EXPECT_EQ(h.dialogs.boxes.size(), 1U) << "not silent: the refused key is told";
}

TEST_F(Form1OptionsTest, CancellingTheLocationChangesNothingAndQueriesNothing) {
  h.form->PushButton4_Click();
  EXPECT_EQ(h.view.label1, "San Diego CA");
  EXPECT_TRUE(h.store.writes.empty());
  EXPECT_EQ(h.Refreshes(), 1);
}

TEST_F(Form1OptionsTest, ALocationOfOnlySpacesIsAccepted) {
  h.dialogs.input_answers.emplace_back("   ");
  h.Answer(200, kSanDiegoReply);
  h.form->PushButton4_Click();
  EXPECT_EQ(h.Setting("Text1"), "   ");
  EXPECT_EQ(h.Refreshes(), 2);
}

TEST_F(Form1OptionsTest, EachColourButtonStoresItsColourAndRedraws) {
  struct Case {
    void (Form1::*click)();
    int swatch;
    const char* key;
    bool foreground;
  };
  const Case cases[] = {{&Form1::PushButton7_Click, 2, "Font Color", true},
                        {&Form1::PushButton8_Click, 3, "Background Color", false}};
  for (const auto& c : cases) {
    h.color_picker.answers.push_back(0x00112233);
    h.Answer(200, kSanDiegoReply);
    const int clears_before = h.view.Box(4).clears;
    (h.form.get()->*c.click)();
    EXPECT_EQ(h.view.Box(c.swatch).BackColor(), 0x00112233U) << c.key;
    EXPECT_EQ(h.Setting(c.key), "1122867") << c.key;
    const auto& sample = h.view.Box(4);
    EXPECT_EQ(c.foreground ? sample.ForeColor() : sample.BackColor(), 0x00112233U) << c.key;
    EXPECT_GT(sample.clears, clears_before) << c.key;
    const auto& icon = h.view.Box(1).prints.at(0);
    EXPECT_EQ(c.foreground ? icon.fore : icon.back, 0x00112233U) << "the icon is rebuilt in the new colour";
  }
  EXPECT_EQ(h.color_picker.seeds, (std::vector<std::uint32_t>{0x0000FFFF, 0}));
}

TEST_F(Form1OptionsTest, CancellingTheColourPickerKeepsTheColourButStillStoresAndRefreshes) {
  h.Answer(200, kSanDiegoReply);
  h.form->PushButton7_Click();
  EXPECT_EQ(h.view.Box(2).BackColor(), 0x0000FFFFU);
  EXPECT_EQ(h.Setting("Font Color"), "65535");
  EXPECT_EQ(h.Refreshes(), 2);
}

TEST_F(Form1OptionsTest, AUnitChangeStoresBothKeysAndRefreshesAloud) {
  h.view.SetOption5(true);
  h.Answer(401, kRefusedReply);
  h.form->Option5_Click();
  EXPECT_EQ(h.Setting("Option4"), "0");
  EXPECT_EQ(h.Setting("Option5"), "1");
  EXPECT_EQ(h.dialogs.boxes.size(), 1U);
}

TEST_F(Form1OptionsTest, UntickingStartupClearsAndHidesStartInTray) {
  h.view.check3 = true;
  h.form->Check3_Click();
  ASSERT_TRUE(h.registry.ReadString(RegistryRoot::kCurrentUser, kRunKey, "Wethrix.exe").has_value());
  h.view.check8 = true;
  h.form->Check8_Click();
  h.store.writes.clear();

  h.view.check3 = false;
  h.form->Check3_Click();
  EXPECT_FALSE(h.view.check8);
  EXPECT_FALSE(h.view.check8_visible);
  const std::vector<std::pair<std::string, std::string>> expected{{"Minimized", "Off"},
                                                                  {"Windows Startup", "Off"}};
  EXPECT_EQ(h.store.writes, expected);
  EXPECT_FALSE(h.registry.ReadString(RegistryRoot::kCurrentUser, kRunKey, "Wethrix.exe").has_value());
}

TEST_F(Form1OptionsTest, TickingStartupWritesTheQuotedProgramPathForThisUser) {
  h.view.check3 = true;
  h.form->Check3_Click();
  EXPECT_EQ(h.Setting("Windows Startup"), "On");
  EXPECT_TRUE(h.view.check8_visible);
  EXPECT_EQ(h.registry.ReadString(RegistryRoot::kCurrentUser, kRunKey, "Wethrix.exe"),
            std::optional<std::string>("\"C:\\Apps\\Wethrix\\Wethrix.exe\""));
}

TEST_F(Form1OptionsTest, AStartupEntryThatCannotBeWrittenIsToldAndUndoneAsAClearedTick) {
  h.registry.refused_roots.insert(RegistryRoot::kCurrentUser);
  h.view.check8 = true;
  h.form->Check8_Click();
  h.view.check3 = true;
  h.form->Check3_Click();
  ASSERT_EQ(h.dialogs.boxes.size(), 1U);
  EXPECT_EQ(h.dialogs.boxes[0].text, "Wethrix could not be set to start with Windows.");
  EXPECT_FALSE(h.view.check3);
  EXPECT_FALSE(h.view.check8);
  EXPECT_FALSE(h.view.check8_visible);
  EXPECT_EQ(h.Setting("Windows Startup"), "Off");
  EXPECT_EQ(h.Setting("Minimized"), "Off");
}

TEST(Form1StartupOptionTest, TheStartupHandlerDoesNothingDuringStartUp) {
  Form1Harness h;
  h.form->Form_Load();
  h.view.check3 = true;
  h.form->Check3_Click();
  EXPECT_FALSE(h.store.Has("Windows Startup"));
  EXPECT_FALSE(h.registry.ReadString(RegistryRoot::kCurrentUser, kRunKey, "Wethrix.exe").has_value());
}

TEST_F(Form1OptionsTest, TheKeyButtonOpensTheDialogAndHidesTheWindow) {
  h.view.visible = true;
  h.form->PushButton5_Click();
  EXPECT_EQ(h.key_dialog_shows, 1);
  EXPECT_FALSE(h.view.visible);
}

TEST_F(Form1OptionsTest, PointerFollowsButtonsAndBackgroundButNeverReplacesTheHourglass) {
  h.form->MouseMove(MainControl::kPushButton7);
  EXPECT_EQ(h.view.pointer, MousePointer::kCustom);
  h.form->MouseMove(MainControl::kOther);
  EXPECT_EQ(h.view.pointer, MousePointer::kCustom) << "a label keeps the hand";
  h.form->MouseMove(MainControl::kFrame3);
  EXPECT_EQ(h.view.pointer, MousePointer::kDefault);
  h.view.pointer = MousePointer::kHourglass;
  h.form->MouseMove(MainControl::kPushButton4);
  h.form->MouseMove(MainControl::kBackground);
  EXPECT_EQ(h.view.pointer, MousePointer::kHourglass);
}

}  // namespace
}  // namespace wethrix::testing
