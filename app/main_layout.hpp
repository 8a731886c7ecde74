#pragma once
// The main window as designed: every control with its kind, caption, place and font, in the
// window's own order, which is also the tab order.
#include <span>
#include <string>
#include <string_view>

#include "app/main_view.hpp"
#include "platform/form_window.hpp"
#include "platform/layout.hpp"

namespace wethrix {

struct FontDesign {
  std::string_view face;
  double points;
  bool bold;
};

inline constexpr FontDesign kWindowFont{"Arial", 9.0, true};
inline constexpr FontDesign kPushButtonFont{"Arial", 11.25, true};
inline constexpr FontDesign kIconSurfaceFont{"Arial", 12.0, true};

inline constexpr int kClientWidthTwips = 8040;
inline constexpr int kClientHeightTwips = 4815;
inline constexpr Color kDesignBackColor = 0x00FFFFFF;
inline constexpr Color kButtonTextColor = 0x80000012;
inline constexpr Color kWindowColor = 0x80000005;

struct ControlDesign {
  std::string_view name;  // "Label3" for each element of that array
  int index;              // 1 to 3 for the Label3 array, 0 for other controls
  ControlKind kind;
  std::string_view caption;  // caption, or the text of a text box
  std::string_view frame;    // the containing frame, empty on the face of the window
  TwipRect rect;             // relative to the frame, or to the client area
  FontDesign font;
  Color back_color;
  MainControl mouse;  // what a mouse move over it reports; kOther reports nothing
  bool visible;
};

[[nodiscard]] std::span<const ControlDesign> MainWindowDesign();
// The rectangle relative to the client area: a frame's child is offset by its frame.
[[nodiscard]] TwipRect ClientRect(const ControlDesign& control);
// "Label3(2)" for an array element, the plain name otherwise.
[[nodiscard]] std::string FullName(const ControlDesign& control);

}  // namespace wethrix
