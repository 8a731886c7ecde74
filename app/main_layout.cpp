#include "app/main_layout.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace wethrix {
namespace {

using enum ControlKind;

constexpr Color kWhite = kDesignBackColor;

[[nodiscard]] constexpr ControlDesign Frame(std::string_view name, std::string_view caption, TwipRect rect,
                                            MainControl mouse) {
  return {name, 0, kFrame, caption, {}, rect, kWindowFont, kWhite, mouse, true};
}

[[nodiscard]] constexpr ControlDesign Button(std::string_view name, std::string_view caption,
                                             std::string_view frame, TwipRect rect, MainControl mouse) {
  return {name, 0, kPushButton, caption, frame, rect, kPushButtonFont, kButtonFace, mouse, true};
}

[[nodiscard]] constexpr ControlDesign Plain(std::string_view name, ControlKind kind, std::string_view caption,
                                            std::string_view frame, TwipRect rect, int index = 0) {
  return {name, index, kind, caption, frame, rect, kWindowFont, kWhite, MainControl::kOther, true};
}

// The icon surface and the temperature text box are only drawn on and read by the program.
constexpr ControlDesign kText2{"Text2",
                               0,
                               kTextBox,
                               "Text1",
                               "Frame4",
                               {6600, 270, 855, 345},
                               kWindowFont,
                               kWindowColor,
                               MainControl::kOther,
                               false};
constexpr ControlDesign kPicture1{
    "Picture1",       0,      kPictureBox,         "",   "", {3000, 0, 480, 495},
    kIconSurfaceFont, kWhite, MainControl::kOther, false};

constexpr std::array kDesign{
    Button("PushButton5", "Getting Started / Enter Your API Key", "", {120, 120, 7800, 405},
           MainControl::kPushButton5),
    Frame("Frame2", "Location:", {120, 600, 7800, 825}, MainControl::kFrame2),
    Plain("Label1", kLabel, "San Diego", "Frame2", {240, 345, 5055, 225}),
    Button("PushButton4", "Change Location", "Frame2", {5520, 270, 2055, 375}, MainControl::kPushButton4),
    Frame("Frame4", "Current temperature:", {120, 1500, 7800, 765}, MainControl::kFrame4),
    Plain("Label2", kLabel, "The current temperature in San Diego is 78", "Frame4", {240, 330, 7365, 225}),
    kText2,
    Frame("Frame3", "Units:", {120, 2340, 7800, 705}, MainControl::kFrame3),
    Plain("Option4", kOptionButton, "Fahrenheit", "Frame3", {240, 300, 1335, 255}),
    Plain("Option5", kOptionButton, "Celsius", "Frame3", {2040, 300, 1335, 255}),
    Frame("Frame1", "Startup Options", {120, 3105, 7800, 735}, MainControl::kFrame1),
    Plain("Check3", kCheckBox, "Load this software on Windows startup", "Frame1", {240, 300, 3930, 285}),
    Plain("Check8", kCheckBox, "Start in system tray", "Frame1", {4080, 300, 2340, 285}),
    Frame("Frame7", "System Tray Icon Colors", {120, 3900, 7800, 795}, MainControl::kFrame7),
    Plain("Label3", kLabel, "Font Color:", "Frame7", {240, 330, 900, 225}, 1),
    Plain("Picture2", kPictureBox, "", "Frame7", {1200, 255, 405, 405}),
    Button("PushButton7", "Change", "Frame7", {1700, 255, 1140, 405}, MainControl::kPushButton7),
    Plain("Label3", kLabel, "Background Color:", "Frame7", {2950, 330, 1575, 225}, 2),
    Plain("Picture3", kPictureBox, "", "Frame7", {4600, 255, 405, 405}),
    Button("PushButton8", "Change", "Frame7", {5100, 255, 1140, 405}, MainControl::kPushButton8),
    Plain("Label3", kLabel, "Sample:", "Frame7", {6380, 330, 690, 225}, 3),
    Plain("Picture4", kPictureBox, "", "Frame7", {7140, 240, 405, 405}),
    kPicture1,
};

}  // namespace

std::span<const ControlDesign> MainWindowDesign() {
  return kDesign;
}

TwipRect ClientRect(const ControlDesign& control) {
  if (control.frame.empty()) return control.rect;
  const auto frame = std::ranges::find(kDesign, control.frame, &ControlDesign::name);
  const TwipRect origin = ClientRect(*frame);
  return {origin.left + control.rect.left, origin.top + control.rect.top, control.rect.width,
          control.rect.height};
}

std::string FullName(const ControlDesign& control) {
  std::string name(control.name);
  if (control.index == 0) return name;
  const std::string index = std::to_string(control.index);
  name.push_back('(');
  name.append(index);
  name.push_back(')');
  return name;
}

}  // namespace wethrix
