#pragma once
// Layout units. Controls are designed in twips (1440 per inch) and fonts in points; both become
// pixels at the DPI of the window that shows them. This is the only place that converts.
namespace wethrix {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPointsPerInch = 72;
inline constexpr int kDefaultDpi = 96;

struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

struct PixelRect {
  int left;
  int top;
  int width;
  int height;
  bool operator==(const PixelRect&) const = default;
};

// Rounds to the nearest pixel, halves away from zero.
[[nodiscard]] int TwipsToPixels(int twips, int dpi);
[[nodiscard]] PixelRect ToPixels(const TwipRect& rect, int dpi);
// Character height of a font size in points, e.g. 11.25 pt is 15 px at 96 DPI.
[[nodiscard]] int PointsToPixels(double points, int dpi);

}  // namespace wethrix
