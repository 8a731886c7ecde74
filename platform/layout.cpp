#include "platform/layout.hpp"

#include <cmath>

namespace wethrix {
namespace {

[[nodiscard]] int Scale(double value, int dpi, int units_per_inch) {
  return static_cast<int>(std::lround(value * dpi / units_per_inch));
}

}  // namespace

int TwipsToPixels(int twips, int dpi) {
  return Scale(twips, dpi, kTwipsPerInch);
}

PixelRect ToPixels(const TwipRect& rect, int dpi) {
  return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi), TwipsToPixels(rect.width, dpi),
          TwipsToPixels(rect.height, dpi)};
}

int PointsToPixels(double points, int dpi) {
  return Scale(points, dpi, kPointsPerInch);
}

}  // namespace wethrix
