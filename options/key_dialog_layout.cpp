#include "options/key_dialog_layout.hpp"

#include <algorithm>

#include "options/key_dialog.hpp"

namespace wethrix {

std::vector<KeyControlDesign> KeyDialogDesign() {
  using enum ControlKind;
  using Mouse = KeyDialogControl;
  const std::string sign_in(kSignInAddress);
  const std::string instructions = "Please go to " + sign_in + "  to get your own key and enter it below.";
  return {
      {"Text1", kTextBox, "Text1", "Frame2", {240, 300, 7335, 345}, kWindowColor, Mouse::kText1},
      {"PushButton6", kPushButton, "OK", "", {120, 3600, 7800, 405}, kButtonFace, Mouse::kPushButton6},
      {"PushButton1",
       kPushButton,
       "Open " + sign_in,
       "Frame1",
       {240, 900, 7320, 405},
       kButtonFace,
       Mouse::kPushButton1},
      {"PushButton2",
       kPushButton,
       "What is an API key?",
       "Frame3",
       {240, 300, 7320, 405},
       kButtonFace,
       Mouse::kPushButton2},
      {"Label2", kLabel, instructions, "Frame1", {240, 315, 7500, 450}, kDesignBackColor, Mouse::kLabel2},
      {"Frame1",
       kFrame,
       "How To Obtain OpenWeatherMap API Key",
       "",
       {120, 90, 7800, 1515},
       kDesignBackColor,
       Mouse::kFrame1},
      {"Frame3", kFrame, "More Information", "", {120, 1680, 7800, 885}, kDesignBackColor, Mouse::kFrame3},
      {"Frame2",
       kFrame,
       "Enter Your OpenWeatherMap API Key",
       "",
       {120, 2640, 7800, 825},
       kDesignBackColor,
       Mouse::kFrame2},
  };
}

TwipRect ClientRect(const std::vector<KeyControlDesign>& design, const KeyControlDesign& control) {
  TwipRect rect = control.rect;
  const auto frame = std::find_if(design.begin(), design.end(), [&](const KeyControlDesign& candidate) {
    return candidate.name == control.frame;
  });
  if (!control.frame.empty() && frame != design.end()) {
    rect.left += frame->rect.left;
    rect.top += frame->rect.top;
  }
  return rect;
}

}  // namespace wethrix
