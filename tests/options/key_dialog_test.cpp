#include "options/key_dialog.hpp"

#include <gtest/gtest.h>

#include "options/key_dialog_layout.hpp"
#include "platform/errors.hpp"
#include "platform/fakes/fake_key_dialog_view.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_shell.hpp"

namespace wethrix {
namespace {

class KeyDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { store.Set("APIKey", "abc123"); }

  // The user typing: the text changes, then the window raises the change event.
  void Type(const std::string& text) {
    view.text1 = text;
    form3.Text1_Change();
  }

  fakes::FakeKeyDialogView view;
  fakes::FakeSettingsStore store;
  fakes::FakeDialogs dialogs;
  fakes::FakeShellOpen shell;
  fakes::FakeFileSystem files;
  fakes::FakeEnvironment environment;
  std::vector<bool> refreshes;  // the Silent flag of each ListTemp
  bool refresh_fails = false;
  int main_shown = 0;
  Form3 form3{view,
              {store, dialogs, shell, files, environment,
               [this](bool silent) {
                 refreshes.push_back(silent);
                 if (refresh_fails) throw TypeMismatch();
               },
               [this] { ++main_shown; }}};
};

TEST_F(KeyDialogTest, OpeningLoadsTheDialogFromTheSettings) {
  form3.Show();

  EXPECT_TRUE(view.visible);
  EXPECT_EQ(view.caption, "Key Options");
  EXPECT_TRUE(view.has_icon);
  EXPECT_EQ(view.back_color, kButtonFace) << "recoloured at every loading";
  EXPECT_EQ(view.text1, "abc123");
  EXPECT_EQ(store.writes.back(), std::make_pair(std::string("APIKey"), std::string("abc123")));
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_TRUE(refreshes.empty());
}

TEST_F(KeyDialogTest, TheHandCursorIsUsedOnlyWhenItsFileExists) {
  form3.Show();
  EXPECT_EQ(view.custom_pointer_file, "");

  files.files[R"(C:\Apps\Wethrix\HAND-M.CUR)"] = {1};
  form3.Form_Unload();
  form3.Show();
  EXPECT_EQ(view.custom_pointer_file, "C:\\Apps\\Wethrix\\HAND-M.CUR");
}

TEST_F(KeyDialogTest, EveryKeystrokeIsStoredAsTyped) {
  form3.Show();
  store.writes.clear();
  for (const std::string text : {"", " ", " k", " ke", " key "}) Type(text);

  const std::vector<std::pair<std::string, std::string>> expected = {
      {"APIKey", ""}, {"APIKey", " "}, {"APIKey", " k"}, {"APIKey", " ke"}, {"APIKey", " key "}};
  EXPECT_EQ(store.writes, expected);
}

TEST_F(KeyDialogTest, FocusSelectsTheWholeKeyInUtf16Units) {
  form3.Show();
  form3.Text1_GotFocus();
  EXPECT_EQ(view.selection, std::make_pair(std::size_t{0}, std::size_t{6}));

  Type("K\xC3\xBC\xF0\x9F\x94\x91");  // "Kü" and a key emoji: 1 + 1 + 2 units
  form3.Text1_GotFocus();
  EXPECT_EQ(view.selection, std::make_pair(std::size_t{0}, std::size_t{4}));
}

TEST_F(KeyDialogTest, OkRefreshesSilentlyThenReturnsToTheMainWindow) {
  form3.Show();
  form3.PushButton6_Click();

  EXPECT_EQ(refreshes, std::vector<bool>{true});
  EXPECT_EQ(main_shown, 1);
  EXPECT_FALSE(view.visible);
  EXPECT_TRUE(view.loaded);
}

TEST_F(KeyDialogTest, AFailedRefreshIsReportedAndOkStillReturns) {
  refresh_fails = true;
  form3.Show();
  form3.PushButton6_Click();

  ASSERT_EQ(dialogs.boxes.size(), 1U);
  EXPECT_NE(dialogs.boxes[0].text.find("in Wethrix2021/08/31.Form3.PushButton6_Click at line 100"),
            std::string::npos);
  EXPECT_EQ(main_shown, 1);
  EXPECT_FALSE(view.visible);
}

TEST_F(KeyDialogTest, ReopeningAfterOkShowsTheSameTextWithoutReloading) {
  form3.Show();
  Type("typed but changed in the store meanwhile");
  store.Set("APIKey", "other");
  form3.PushButton6_Click();

  form3.Show();
  EXPECT_EQ(view.loads, 1);
  EXPECT_EQ(view.text1, "typed but changed in the store meanwhile");
  EXPECT_TRUE(view.visible);
}

TEST_F(KeyDialogTest, TheCloseBoxReturnsWithoutRefreshAndTheNextOpeningLoadsAfresh) {
  form3.Show();
  Type("new key");
  form3.Form_Unload();

  EXPECT_FALSE(view.loaded);
  EXPECT_EQ(main_shown, 1);
  EXPECT_TRUE(refreshes.empty());
  EXPECT_EQ(store.Get("APIKey"), "new key");

  form3.Show();
  EXPECT_EQ(view.loads, 2);
  EXPECT_EQ(view.text1, "new key");
}

TEST_F(KeyDialogTest, TheAddressButtonsHandTheShellTheQuotedAddress) {
  form3.Show();
  form3.PushButton1_Click();
  form3.PushButton2_Click();

  ASSERT_EQ(shell.calls.size(), 2U);
  EXPECT_EQ(shell.calls[0].file, "\"https://home.openweathermap.org/users/sign_in/\"");
  EXPECT_EQ(shell.calls[1].file, "\"https://en.wikipedia.org/wiki/Application_programming_interface_key\"");
  for (const auto& call : shell.calls) {
    EXPECT_EQ(call.directory, "C:\\");
    EXPECT_EQ(call.show_command, 5);
  }
}

TEST_F(KeyDialogTest, PointerFollowsTheControlUnlessItIsTheHourglass) {
  struct Case {
    MousePointer before;
    KeyDialogControl control;
    MousePointer after;
  };
  const Case cases[] = {
      {MousePointer::kDefault, KeyDialogControl::kPushButton1, MousePointer::kCustom},
      {MousePointer::kDefault, KeyDialogControl::kPushButton2, MousePointer::kCustom},
      {MousePointer::kDefault, KeyDialogControl::kPushButton6, MousePointer::kCustom},
      {MousePointer::kCustom, KeyDialogControl::kForm, MousePointer::kDefault},
      {MousePointer::kCustom, KeyDialogControl::kLabel2, MousePointer::kDefault},
      {MousePointer::kCustom, KeyDialogControl::kFrame2, MousePointer::kDefault},
      {MousePointer::kCustom, KeyDialogControl::kText1, MousePointer::kDefault},
      {MousePointer::kHourglass, KeyDialogControl::kPushButton6, MousePointer::kHourglass},
      {MousePointer::kHourglass, KeyDialogControl::kForm, MousePointer::kHourglass},
  };
  form3.Show();
  for (const Case& c : cases) {
    view.pointer = c.before;
    form3.MouseMove(c.control);
    EXPECT_EQ(view.pointer, c.after) << static_cast<int>(c.control);
  }
}

// A screen reader finds no label beside the field; the caption above it, on its frame, is one.
TEST(KeyDialogAccessibilityTest, TheKeyFieldIsNamedByTheCaptionOfItsFrame) {
  fakes::FakeAccessibility accessibility;
  DescribeKeyDialog(accessibility);
  EXPECT_EQ(accessibility.names,
            (std::map<std::string, std::string>{{"Text1", "Enter Your OpenWeatherMap API Key"}}));
}

}  // namespace
}  // namespace wethrix
