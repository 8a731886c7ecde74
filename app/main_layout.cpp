#include "app/main_layout.hpp"

#include <array>

namespace wethrix {
namespace {

using enum ControlKind;

constexpr Color kWhite = kDesignBackColor;

[[nodiscard]] ControlDesign Frame(std::string_view name, std::string_view caption, TwipRect rect) {
  return {name, 0, kFrame, std::string(caption), {}, rect, kWindowFont, kWhite, true};
}

[[nodiscard]] ControlDesign Button(std::string_view name, std::string_view caption, std::string_view frame,
                                   TwipRect rect) {
  return {name, 0, kPushButton, std::string(caption), frame, rect, kPushButtonFont, kButtonFace, true};
}

[[nodiscard]] ControlDesign Plain(std::string_view name, ControlKind kind, std::string_view caption,
                                  std::string_view frame, TwipRect rect, int index = 0) {
  return {name, index, kind, std::string(caption), frame, rect, kWindowFont, kWhite, true};
}

// The icon surface and the temperature text box are only drawn on and read by the program.
[[nodiscard]] ControlDesign Text2() {
  return {"Text2", 0, kTextBox, "Text1", "Frame4", {6600, 270, 855, 345}, kWindowFont, kWindowColor, false};
}
[[nodiscard]] ControlDesign Picture1() {
  return {"Picture1", 0, kPictureBox, "", "", {3000, 0, 480, 495}, kIconSurfaceFont, kWhite, false};
}

}  // namespace

std::span<const ControlDesign> MainWindowDesign() {
  static const std::array design{
      Button("PushButton5", "Getting Started / Enter Your API Key", "", {120, 120, 7800, 405}),
      Frame("Frame2", "Location:", {120, 600, 7800, 825}),
      Plain("Label1", kLabel, "San Diego", "Frame2", {240, 345, 5055, 225}),
      Button("PushButton4", "Change Location", "Frame2", {5520, 270, 2055, 375}),
      Frame("Frame4", "Current temperature:", {120, 1500, 7800, 765}),
      Plain("Label2", kLabel, "The current temperature in San Diego is 78", "Frame4", {240, 330, 7365, 225}),
      Text2(),
      Frame("Frame3", "Units:", {120, 2340, 7800, 705}),
      Plain("Option4", kOptionButton, "Fahrenheit", "Frame3", {240, 300, 1335, 255}),
      Plain("Option5", kOptionButton, "Celsius", "Frame3", {2040, 300, 1335, 255}),
      Frame("Frame1", "Startup Options", {120, 3105, 7800, 735}),
      Plain("Check3", kCheckBox, "Load this software on Windows startup", "Frame1", {240, 300, 3930, 285}),
      Plain("Check8", kCheckBox, "Start in system tray", "Frame1", {4080, 300, 2340, 285}),
      Frame("Frame7", "System Tray Icon Colors", {120, 3900, 7800, 795}),
      Plain("Label3", kLabel, "Font Color:", "Frame7", {240, 330, 900, 225}, 1),
      Plain("Picture2", kPictureBox, "", "Frame7", {1200, 255, 405, 405}),
      Button("PushButton7", "Change", "Frame7", {1700, 255, 1140, 405}),
      Plain("Label3", kLabel, "Background Color:", "Frame7", {2950, 330, 1575, 225}, 2),
      Plain("Picture3", kPictureBox, "", "Frame7", {4600, 255, 405, 405}),
      Button("PushButton8", "Change", "Frame7", {5100, 255, 1140, 405}),
      Plain("Label3", kLabel, "Sample:", "Frame7", {6380, 330, 690, 225}, 3),
      Plain("Picture4", kPictureBox, "", "Frame7", {7140, 240, 405, 405}),
      Picture1(),
  };
  return design;
}

}  // namespace wethrix
