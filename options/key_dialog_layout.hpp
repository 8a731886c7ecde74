#pragma once
// The key dialog as designed: controls in tab order with captions, places in twips and fonts.
#include <string>
#include <string_view>
#include <vector>

#include "app/main_layout.hpp"
#include "options/key_dialog_view.hpp"
#include "platform/layout.hpp"

namespace wethrix {

inline constexpr int kKeyDialogClientWidthTwips = 8040;
inline constexpr int kKeyDialogClientHeightTwips = 4125;

struct KeyControlDesign {
  std::string_view name;
  ControlKind kind;
  std::string caption;
  std::string_view frame;  // the containing frame; empty on the face of the dialog
  TwipRect rect;           // relative to the frame, or to the client area
  Color back_color;
  KeyDialogControl mouse;  // what a mouse move over it reports
};

// Push buttons have kPushButtonFont, every other control the dialog's kWindowFont.
// Text1 comes first, so it has the focus when the dialog opens; frames come last, beneath the
// controls they hold.
[[nodiscard]] std::vector<KeyControlDesign> KeyDialogDesign();
// The rectangle relative to the client area: a frame's child is offset by its frame.
[[nodiscard]] TwipRect ClientRect(const std::vector<KeyControlDesign>& design,
                                  const KeyControlDesign& control);

}  // namespace wethrix
