#pragma once
// The designed white windows turn to the button-face colour when a skin is applied, and the
// key dialog takes that colour on every loading.
#include <string>
#include <string_view>

#include "platform/file_system.hpp"
#include "platform/form_window.hpp"
#include "platform/skin_engine.hpp"

namespace wethrix {

// Plain concatenation: a folder ending in a backslash gives a doubled one, and is searched so.
[[nodiscard]] std::string SkinFilePath(std::string_view program_folder);

// The window and its option buttons, check boxes, frames and labels turn to the button face;
// picture boxes, text boxes and push buttons keep their colours.
void ApplyFormColors(FormWindow& window);

// Without a visible skin file (hidden or system files count as absent) nothing happens. With
// one, the colour pass runs first, so it holds even when the skin then fails.
void ApplySkin(FormWindow& window, SkinEngine& skin, const FileSystem& files,
               std::string_view program_folder);

}  // namespace wethrix
