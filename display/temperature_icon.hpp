#pragma once
#include <string_view>

#include "platform/picture_box.hpp"

namespace wethrix {

inline constexpr float kIconFontPoints = 16.0F;
inline constexpr float kSmallestIconFontPoints = 6.0F;

// Reduces the font size, from the current one, until `number` fits the surface's width, so a
// three-digit or negative reading is never cut to a wrong number.
void ShrinkFontToFit(PictureBox& surface, std::string_view number);

}  // namespace wethrix
