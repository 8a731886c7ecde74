#include "options/appearance.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "platform/fakes/fake_main_view.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_skin_engine.hpp"

namespace wethrix {
namespace {

using Control = fakes::FakeControl;

class Form final : public FormWindow {
 public:
  Form() {
    using enum ControlKind;
    for (const auto& [kind, name] : {std::pair{kOptionButton, "Option4"},
                                     {kCheckBox, "Check3"},
                                     {kFrame, "Frame2"},
                                     {kLabel, "Label3(1)"},
                                     {kLabel, "Label3(2)"},
                                     {kPictureBox, "Picture2"},
                                     {kTextBox, "Text2"},
                                     {kPushButton, "PushButton4"}}) {
      controls_.push_back(std::make_unique<Control>(kind, name));
    }
  }
  [[nodiscard]] std::uintptr_t Handle() const override { return 0x1234; }
  [[nodiscard]] Color BackColor() const override { return color_; }
  void SetBackColor(Color color) override { color_ = color; }
  [[nodiscard]] std::vector<FormControl*> Controls() override {
    std::vector<FormControl*> all;
    all.reserve(controls_.size());
    for (const auto& control : controls_) all.push_back(control.get());
    return all;
  }
  void SetCaption(std::string_view /*caption*/) override {}
  void SetApplicationIcon() override {}
  [[nodiscard]] MousePointer Pointer() const override { return MousePointer::kDefault; }
  void SetPointer(MousePointer /*pointer*/) override {}
  void SetCustomPointerFile(std::string_view /*path*/) override {}
  [[nodiscard]] Accessibility& Accessible() override { return accessibility_; }
  void Show() override {}
  void Hide() override {}
  [[nodiscard]] bool Visible() const override { return true; }

  [[nodiscard]] std::vector<std::string> ButtonFaced() {
    std::vector<std::string> names;
    if (color_ == kButtonFace) names.emplace_back("form");
    for (const auto* control : Controls()) {
      if (control->BackColor() == kButtonFace) names.push_back(control->Name());
    }
    return names;
  }

 private:
  Color color_ = 0x00FFFFFF;
  std::vector<std::unique_ptr<Control>> controls_;
  fakes::FakeAccessibility accessibility_;
};

std::vector<std::string> Recoloured() {
  return {"form", "Option4", "Check3", "Frame2", "Label3(1)", "Label3(2)"};
}

TEST(AppearanceTest, TheColourPassTakesOnlyTheFormsOwnKinds) {
  Form form;
  ApplyFormColors(form);
  EXPECT_EQ(form.ButtonFaced(), Recoloured());
}

class ApplySkinTest : public testing::Test {
 protected:
  Form form_;
  fakes::FakeSkinEngine skin_;
  fakes::FakeFileSystem files_;
};

TEST_F(ApplySkinTest, WithTheFileColoursComeFirstThenTheSixCallsInOrder) {
  files_.files[R"(C:\Apps\Wethrix\x\o.cjs)"] = {};
  skin_.options = 6;
  ApplySkin(form_, skin_, files_, "C:\\Apps\\Wethrix");
  EXPECT_EQ(form_.ButtonFaced(), Recoloured());
  EXPECT_EQ(skin_.calls,
            (std::vector<std::string>{"LoadSkin C:\\Apps\\Wethrix\\x\\o.cjs|", "Options", "SetOptions 7",
                                      "SetSkinControls true", "SetSkinButtons true", "ApplyWindow 4660"}));
}

TEST_F(ApplySkinTest, AMissingOrHiddenFileChangesNothing) {
  ApplySkin(form_, skin_, files_, "C:\\Apps\\Wethrix");
  files_.files[R"(C:\Apps\Wethrix\x\o.cjs)"] = {};
  files_.hidden.emplace_back(R"(C:\Apps\Wethrix\x\o.cjs)");
  ApplySkin(form_, skin_, files_, "C:\\Apps\\Wethrix");
  EXPECT_TRUE(form_.ButtonFaced().empty());
  EXPECT_TRUE(skin_.calls.empty());
}

TEST_F(ApplySkinTest, ADrivesRootGivesADoubledBackslash) {
  EXPECT_EQ(SkinFilePath("C:\\"), "C:\\\\x\\o.cjs");
  files_.files[R"(C:\\x\o.cjs)"] = {};
  ApplySkin(form_, skin_, files_, "C:\\");
  ASSERT_FALSE(skin_.calls.empty());
  EXPECT_EQ(skin_.calls.front(), "LoadSkin C:\\\\x\\o.cjs|");
}

}  // namespace
}  // namespace wethrix
