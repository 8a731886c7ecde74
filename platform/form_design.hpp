#pragma once
// A window as designed: every control with its kind, caption, place, font and colour, in the
// window's own order, which is also the tab order. Both of the program's forms are tables of these.
#include <span>
#include <string>
#include <string_view>

#include "platform/form_window.hpp"
#include "platform/layout.hpp"

namespace wethrix {

struct FontDesign {
  std::string_view face;
  double points;
  bool bold;
};

// Every form's own font, and the one its push buttons have.
inline constexpr FontDesign kWindowFont{"Arial", 9.0, true};
inline constexpr FontDesign kPushButtonFont{"Arial", 11.25, true};

inline constexpr Color kDesignBackColor = 0x00FFFFFF;
inline constexpr Color kButtonTextColor = 0x80000012;
inline constexpr Color kWindowColor = 0x80000005;
inline constexpr Color kWindowTextColor = 0x80000008;

struct ControlDesign {
  std::string_view name;  // "Label3" for each element of that array
  int index;              // 1 and up for an element of a control array, 0 for other controls
  ControlKind kind;
  std::string caption;     // caption, or the text of a text box
  std::string_view frame;  // the containing frame, empty on the face of the window
  TwipRect rect;           // relative to the frame, or to the client area
  FontDesign font;
  Color back_color;
  bool visible;
};

// The rectangle relative to the client area: a frame's child is offset by its frame.
// Throws std::logic_error when the frame is not in the design.
[[nodiscard]] TwipRect ClientRect(std::span<const ControlDesign> design, const ControlDesign& control);
// "Label3(2)" for an array element, the plain name otherwise.
[[nodiscard]] std::string FullName(const ControlDesign& control);

}  // namespace wethrix
