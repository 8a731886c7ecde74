#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "image/image.hpp"

namespace wethrix::imaging {

// Reads back an icon file of the kind WriteIcon makes: one 32-bit image, every pixel opaque and
// its AND mask clear. Any other icon, and every malformed file, gives nullopt, for the system's
// own loader to judge.
[[nodiscard]] std::optional<Image> ReadOpaqueIcon(std::span<const std::uint8_t> file);

}  // namespace wethrix::imaging
