#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/main_view.hpp"
#include "platform/fakes/fake_accessibility.hpp"
#include "platform/fakes/fake_picture_box.hpp"
#include "platform/fakes/fake_timer.hpp"

namespace wethrix::fakes {

class FakeControl final : public FormControl {
 public:
  FakeControl(ControlKind kind, std::string name) : kind_(kind), name_(std::move(name)) {}
  [[nodiscard]] ControlKind Kind() const override { return kind_; }
  [[nodiscard]] std::string Name() const override { return name_; }
  [[nodiscard]] Color BackColor() const override { return back_; }
  void SetBackColor(Color color) override { back_ = color; }

 private:
  ControlKind kind_;
  std::string name_;
  Color back_ = 0x00FFFFFF;
};

// Form1 in its design state: the values a freshly created window holds.
class FakeMainView final : public MainView {
 public:
  FakeMainView();

  [[nodiscard]] std::uintptr_t Handle() const override { return 0x1234; }
  [[nodiscard]] Color BackColor() const override { return back_; }
  void SetBackColor(Color color) override { back_ = color; }
  [[nodiscard]] std::vector<FormControl*> Controls() override;
  void SetCaption(std::string_view text) override { caption = std::string(text); }
  void SetApplicationIcon() override { has_icon = true; }
  [[nodiscard]] MousePointer Pointer() const override { return pointer; }
  void SetPointer(MousePointer value) override { pointer = value; }
  void SetCustomPointerFile(std::string_view path) override { custom_pointer_file = std::string(path); }
  [[nodiscard]] Accessibility& Accessible() override { return accessibility; }
  void Show() override {
    visible = true;
    ++show_count;
  }
  void Hide() override { visible = false; }
  [[nodiscard]] bool Visible() const override { return visible; }

  [[nodiscard]] std::string Label1() const override { return label1; }
  void SetLabel1(std::string_view text) override { label1 = std::string(text); }
  [[nodiscard]] std::string Label2() const override { return label2; }
  void SetLabel2(std::string_view text) override { label2 = std::string(text); }
  [[nodiscard]] std::string Text2() const override { return text2; }
  void SetText2(std::string_view text) override { text2 = std::string(text); }
  [[nodiscard]] std::string PushButton5Caption() const override {
    return "Getting Started / Enter Your API Key";
  }
  [[nodiscard]] bool Option4() const override { return option4; }
  void SetOption4(bool selected) override;
  [[nodiscard]] bool Option5() const override { return option5; }
  void SetOption5(bool selected) override;
  [[nodiscard]] bool Check3() const override { return check3; }
  void SetCheck3(bool ticked) override { check3 = ticked; }
  [[nodiscard]] bool Check8() const override { return check8; }
  void SetCheck8(bool ticked) override { check8 = ticked; }
  [[nodiscard]] bool Check8Visible() const override { return check8_visible; }
  void SetCheck8Visible(bool value) override { check8_visible = value; }
  [[nodiscard]] PictureBox& Picture(int index) override { return Box(index); }
  [[nodiscard]] Timer& Timer1() override { return timer1; }
  [[nodiscard]] Timer& RetryTimer() override { return retry_timer; }
  [[nodiscard]] WindowState State() const override { return state; }
  void SetState(WindowState value) override { state = value; }
  void Focus() override { ++focus_count; }
  void Close() override { closed = true; }
  void PublishFinishedRefreshes(std::uint32_t count) override { finished_refreshes = count; }

  [[nodiscard]] FakePictureBox& Box(int index) { return *pictures_.at(static_cast<std::size_t>(index - 1)); }

  std::string caption;
  bool has_icon = false;
  MousePointer pointer = MousePointer::kDefault;
  std::string custom_pointer_file = "-";  // "-" until set
  bool visible = false;
  std::string label1 = "San Diego";
  std::string label2 = "The current temperature in San Diego is 78";
  std::string text2 = "Text1";
  bool option4 = true;
  bool option5 = false;
  bool check3 = false;
  bool check8 = false;
  bool check8_visible = true;
  FakeTimer timer1;
  FakeTimer retry_timer;
  WindowState state = WindowState::kNormal;
  int show_count = 0;
  int focus_count = 0;
  bool closed = false;
  std::uint32_t finished_refreshes = 0;
  FakeAccessibility accessibility;

 private:
  Color back_ = 0x00FFFFFF;
  std::array<std::unique_ptr<FakePictureBox>, 4> pictures_;
  std::vector<std::unique_ptr<FakeControl>> controls_;
};

}  // namespace wethrix::fakes
