#pragma once
// The main window as designed, in the window's own order, which is also the tab order.
#include <span>

#include "platform/form_design.hpp"

namespace wethrix {

inline constexpr FontDesign kIconSurfaceFont{"Arial", 12.0, true};

inline constexpr int kClientWidthTwips = 8040;
inline constexpr int kClientHeightTwips = 4815;

[[nodiscard]] std::span<const ControlDesign> MainWindowDesign();

}  // namespace wethrix
