#pragma once
// The main window as assistive technology is told of it, beside what its controls show.
#include <string>

#include "app/main_view.hpp"
#include "platform/picture_box.hpp"
#include "platform/system_colors.hpp"

namespace wethrix {

// "#RRGGBB" of a colour as it is drawn, a system colour as the current scheme has it.
[[nodiscard]] std::string ColorText(Color color, const SystemColors& system);

// The two "Change" buttons are told apart by what they change; the swatches and the sample get
// a name, and the colour or text they show as their value, read whenever it is asked for. The
// icon's drawing surface and the temperature text box are the program's own and are withheld.
void DescribeMainWindow(MainView& view, const SystemColors& system);

}  // namespace wethrix
