#include "options/key_dialog_layout.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "options/key_dialog.hpp"

namespace wethrix {
namespace {

using enum ControlKind;

[[nodiscard]] ControlDesign Control(std::string_view name, ControlKind kind, std::string caption,
                                    std::string_view frame, TwipRect rect, Color back_color) {
  const FontDesign& font = kind == kPushButton ? kPushButtonFont : kWindowFont;
  return {name, 0, kind, std::move(caption), frame, rect, font, back_color, true};
}

}  // namespace

std::span<const ControlDesign> KeyDialogDesign() {
  static const std::string sign_in(kSignInAddress);
  static const std::array design{
      Control("Text1", kTextBox, "Text1", "Frame2", {240, 300, 7335, 345}, kWindowColor),
      Control("PushButton6", kPushButton, "OK", "", {120, 3600, 7800, 405}, kButtonFace),
      Control("PushButton1", kPushButton, "Open " + sign_in, "Frame1", {240, 900, 7320, 405}, kButtonFace),
      Control("PushButton2", kPushButton, "What is an API key?", "Frame3", {240, 300, 7320, 405},
              kButtonFace),
      Control("Label2", kLabel, "Please go to " + sign_in + "  to get your own key and enter it below.",
              "Frame1", {240, 315, 7500, 450}, kDesignBackColor),
      Control("Frame1", kFrame, "How To Obtain OpenWeatherMap API Key", "", {120, 90, 7800, 1515},
              kDesignBackColor),
      Control("Frame3", kFrame, "More Information", "", {120, 1680, 7800, 885}, kDesignBackColor),
      Control("Frame2", kFrame, "Enter Your OpenWeatherMap API Key", "", {120, 2640, 7800, 825},
              kDesignBackColor),
  };
  return design;
}

void DescribeKeyDialog(Accessibility& accessibility) {
  const auto design = KeyDialogDesign();
  const auto named = [design](std::string_view name) {
    return std::ranges::find(design, name, &ControlDesign::name);
  };
  accessibility.SetName("Text1", named(named("Text1")->frame)->caption);
}

}  // namespace wethrix
