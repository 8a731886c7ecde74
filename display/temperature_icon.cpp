#include "display/temperature_icon.hpp"

namespace wethrix {
namespace {
constexpr float kStepPoints = 0.5F;
}

void ShrinkFontToFit(PictureBox& surface, std::string_view number) {
  float size = surface.FontSize();
  while (size > kSmallestIconFontPoints && surface.TextWidth(number) > surface.ScaleWidth()) {
    size -= kStepPoints;
    surface.SetFontSize(size);
  }
}

}  // namespace wethrix
