#include "platform/fakes/fake_main_view.hpp"

#include <initializer_list>
#include <span>

namespace wethrix::fakes {

FakeMainView::FakeMainView() {
  // Sizes in pixels at 96 dots per inch: the surface 480 x 495 twips, the others 405 x 405.
  pictures_[0] = std::make_unique<FakePictureBox>(32, 33);
  for (auto& swatch_or_sample : std::span(pictures_).subspan(1)) {
    swatch_or_sample = std::make_unique<FakePictureBox>(27, 27);
  }
  pictures_[0]->SetFontSize(12);
  const std::initializer_list<std::pair<ControlKind, const char*>> design = {
      {ControlKind::kPushButton, "PushButton5"}, {ControlKind::kFrame, "Frame2"},
      {ControlKind::kLabel, "Label1"},           {ControlKind::kPushButton, "PushButton4"},
      {ControlKind::kFrame, "Frame4"},           {ControlKind::kLabel, "Label2"},
      {ControlKind::kTextBox, "Text2"},          {ControlKind::kFrame, "Frame3"},
      {ControlKind::kOptionButton, "Option4"},   {ControlKind::kOptionButton, "Option5"},
      {ControlKind::kFrame, "Frame1"},           {ControlKind::kCheckBox, "Check3"},
      {ControlKind::kCheckBox, "Check8"},        {ControlKind::kFrame, "Frame7"},
      {ControlKind::kLabel, "Label3(1)"},        {ControlKind::kPictureBox, "Picture2"},
      {ControlKind::kPushButton, "PushButton7"}, {ControlKind::kLabel, "Label3(2)"},
      {ControlKind::kPictureBox, "Picture3"},    {ControlKind::kPushButton, "PushButton8"},
      {ControlKind::kLabel, "Label3(3)"},        {ControlKind::kPictureBox, "Picture4"},
      {ControlKind::kPictureBox, "Picture1"},
  };
  for (const auto& [kind, name] : design) controls_.push_back(std::make_unique<FakeControl>(kind, name));
}

std::vector<FormControl*> FakeMainView::Controls() {
  std::vector<FormControl*> result;
  result.reserve(controls_.size());
  for (auto& control : controls_) result.push_back(control.get());
  return result;
}

void FakeMainView::SetOption4(bool selected) {
  option4 = selected;
  if (selected) option5 = false;
}

void FakeMainView::SetOption5(bool selected) {
  option5 = selected;
  if (selected) option4 = false;
}

}  // namespace wethrix::fakes
