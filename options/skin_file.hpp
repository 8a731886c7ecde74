#pragma once
// The skin file: named colours, one "name=#RRGGBB" per line (docs/design.md: Appearance and the skin file).
#include <string_view>

#include "platform/skin_engine.hpp"

namespace wethrix {

// Reads whatever lines it understands. Blank lines, comments (";" or "#" first, or ";" after a
// colour), unknown names and malformed colours are skipped; a later line for the same name wins.
[[nodiscard]] SkinPalette ParseSkinFile(std::string_view text);

}  // namespace wethrix
