#pragma once
// The key dialog as designed. Text1 comes first, so it has the focus when the dialog opens;
// frames come last, beneath the controls they hold.
#include <span>

#include "platform/accessibility.hpp"
#include "platform/form_design.hpp"

namespace wethrix {

inline constexpr int kKeyDialogClientWidthTwips = 8040;
inline constexpr int kKeyDialogClientHeightTwips = 4125;

[[nodiscard]] std::span<const ControlDesign> KeyDialogDesign();

// The key field is named by the caption of the frame around it, its label on screen: a screen
// reader looks for a label beside a field and finds none there.
void DescribeKeyDialog(Accessibility& accessibility);

}  // namespace wethrix
