#include <gtest/gtest.h>

#include "app/application_title.hpp"
#include "tests/form1/form1_harness.hpp"

namespace wethrix::testing {
namespace {

constexpr std::uint32_t kNimDelete = 2;

TEST(Form1StartupTest, EmptyStoreShowsTheDefaults) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.form->Form_Load();

  EXPECT_EQ(h.view.label1, "San Diego CA");
  EXPECT_TRUE(h.view.option4);
  EXPECT_FALSE(h.view.option5);
  EXPECT_FALSE(h.view.check3);
  EXPECT_FALSE(h.view.check8);
  EXPECT_EQ(h.view.text2, "70");
  EXPECT_EQ(h.view.Box(4).ForeColor(), 0x0000FFFFU);
  EXPECT_EQ(h.view.Box(4).BackColor(), 0U);
  ASSERT_EQ(h.view.Box(4).prints.size(), 1U);
  EXPECT_EQ(h.view.Box(4).prints[0].text, "70");
  ASSERT_FALSE(h.store.writes.empty());
  EXPECT_EQ(h.store.writes.front(), (std::pair<std::string, std::string>{"Text2", "70"}));
  EXPECT_EQ(h.view.caption, "Wethrix");
  EXPECT_TRUE(h.tray->InTray());
  EXPECT_EQ(h.tray->TrayTip(), "Wethrix");
  EXPECT_EQ(h.view.timer1.Interval(), std::chrono::milliseconds(60000));
  EXPECT_TRUE(h.view.timer1.Enabled());
  EXPECT_TRUE(h.files.Exists("C:\\Temp\\nconvert.exe"));
  EXPECT_TRUE(h.form->InTimer());
  EXPECT_TRUE(h.dialogs.boxes.empty());
  EXPECT_EQ(h.Refreshes(), 0) << "loading alone never queries";
}

TEST(Form1StartupTest, StoredValuesComeBack) {
  Form1Harness h;
  h.store.Set("Option4", "0");
  h.store.Set("Option5", "1");
  h.store.Set("Font Color", "255");
  h.store.Set("Background Color", "16777215");
  h.store.Set("Text1", "Paris France");
  h.store.Set("Minimized", "on");  // not exactly "On"
  h.form->Form_Load();

  EXPECT_FALSE(h.view.option4);
  EXPECT_TRUE(h.view.option5);
  EXPECT_EQ(h.view.Box(2).BackColor(), 0x000000FFU);
  EXPECT_EQ(h.view.Box(3).BackColor(), 0x00FFFFFFU);
  EXPECT_EQ(h.view.label1, "Paris France");
  EXPECT_FALSE(h.view.check8);
  EXPECT_EQ(h.view.state, WindowState::kNormal);
}

TEST(Form1StartupTest, WindowsStartupOnTicksTheBoxWithoutTouchingTheRunKey) {
  Form1Harness h;
  h.store.Set("Windows Startup", "On");
  h.form->Form_Load();
  h.form->Check3_Click();  // as if the platform raised it for the assignment
  EXPECT_TRUE(h.view.check3);
  EXPECT_EQ(
      h.registry.ValueCount(RegistryRoot::kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
      0U);
}

TEST(Form1StartupTest, AStoredNumberThatIsNotOneFailsOnlyItsOwnStep) {
  struct Case {
    const char* key;
    const char* text;
    int line;
  };
  const Case cases[] = {{"Option4", "yes", 146},
                        {"Option5", "x", 148},
                        {"Font Color", "red", 150},
                        {"Background Color", "99999999999", 152}};
  for (const auto& c : cases) {
    Form1Harness h;
    h.store.Set(c.key, c.text);
    h.form->Form_Load();
    ASSERT_EQ(h.dialogs.boxes.size(), 1U) << c.key;
    EXPECT_EQ(h.dialogs.boxes[0].title, "Application Error");
    EXPECT_NE(h.dialogs.boxes[0].text.find("Form1.Form_Load at line " + std::to_string(c.line)),
              std::string::npos)
        << h.dialogs.boxes[0].text;
    EXPECT_TRUE(h.view.option4) << "the design state stays";
    EXPECT_FALSE(h.view.option5);
    EXPECT_TRUE(h.view.timer1.Enabled()) << "later steps still run";
  }
}

TEST(Form1StartupTest, AUnitFlagIsReadAsANumber) {
  Form1Harness h;
  h.store.Set("Option4", "01");
  h.form->Form_Load();
  EXPECT_TRUE(h.view.option4);
  EXPECT_TRUE(h.dialogs.boxes.empty());
}

TEST(Form1StartupTest, StartingMinimisedGoesIntoTheTrayUnshownRefreshesAtOnceWithOneBalloonPerRun) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.store.Set("Minimized", "On");
  h.form->Form_Load();
  ASSERT_EQ(h.view.state, WindowState::kMinimized);
  h.form->ShowAfterLoading();

  EXPECT_EQ(h.view.show_count, 0) << "never shown, not even minimised";
  EXPECT_EQ(h.view.focus_count, 0) << "never takes the foreground";
  EXPECT_EQ(h.view.state, WindowState::kNormal) << "a tray click shows it in its normal size";
  EXPECT_TRUE(h.form->HiddenInTray());
  EXPECT_EQ(h.Refreshes(), 1) << "the first refresh runs at once";
  EXPECT_FALSE(h.form->InTimer());
  const auto balloons = h.Balloons();
  ASSERT_EQ(balloons.size(), 2U);
  EXPECT_EQ(balloons.back().record.uTimeout, 5000U) << "the minimise balloon follows the reading's";

  ASSERT_TRUE(h.tray_window->SendTrayMessage(0x205));  // right button released
  EXPECT_TRUE(h.view.visible);
  EXPECT_EQ(h.view.focus_count, 1);
  EXPECT_FALSE(h.form->HiddenInTray());

  h.view.state = WindowState::kMinimized;
  h.form->Form_Resize();
  EXPECT_FALSE(h.view.visible);
  EXPECT_EQ(h.Balloons().size(), 2U) << "the second hiding is silent";
}

TEST(Form1StartupTest, OnlyTheFirstActivationRefreshes) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.Answer(200, kSanDiegoReply);
  h.Start();
  h.form->Form_Activate();
  EXPECT_EQ(h.Refreshes(), 1);
  EXPECT_FALSE(h.form->InTimer());
}

TEST(Form1StartupTest, ClosingDeletesTheConverterStopsTheTimerAndRemovesTheIcon) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.Start();
  h.form->Form_QueryUnload();
  EXPECT_FALSE(h.files.Exists("C:\\Temp\\nconvert.exe"));
  EXPECT_TRUE(h.files.Exists("C:\\Apps\\Wethrix\\CurTemp.bmp")) << "the images stay";
  EXPECT_FALSE(h.view.timer1.Enabled());
  EXPECT_FALSE(h.tray->InTray());
  EXPECT_EQ(h.shell.sent.back().message, kNimDelete);
  EXPECT_FALSE(h.view.timer1.Tick());
}

TEST(ApplicationTitleTest, CutsWordsAsTheTaskListNeeds) {
  EXPECT_EQ(ApplicationTitle("Wethrix"), "Wethrix");
  EXPECT_EQ(ApplicationTitle("Wethrix Tray Weather"), "Wethrix Tray");
  const std::string long_name = "Alpha Beta Gamma Delta Epsilon Zeta Eta Theta";  // 46 characters
  EXPECT_EQ(ApplicationTitle(long_name), "Alpha Beta Gamma Delta Epsilon Zeta Eta");
}

}  // namespace
}  // namespace wethrix::testing
