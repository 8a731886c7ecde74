#pragma once
// A drawing surface with a persistent image, as the refresh and the colour sample use it.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.hpp"

namespace wethrix {

// Colours are 0x00BBGGRR; 0x80000000 plus an index names a system colour.
using Color = std::uint32_t;
inline constexpr Color kButtonFace = 0x8000000F;

class PictureBox {
 public:
  virtual ~PictureBox() = default;

  [[nodiscard]] virtual Color ForeColor() const = 0;
  virtual void SetForeColor(Color color) = 0;
  [[nodiscard]] virtual Color BackColor() const = 0;
  // Also clears the persistent image to the new colour.
  virtual void SetBackColor(Color color) = 0;

  // Scale: pixels, or a user scale in which the inner area spans width by height units.
  virtual void SetScaleModePixels() = 0;
  virtual void SetScaleWidth(float width) = 0;
  virtual void SetScaleHeight(float height) = 0;
  [[nodiscard]] virtual float ScaleWidth() const = 0;
  [[nodiscard]] virtual float ScaleHeight() const = 0;

  virtual void SetCurrentX(float x) = 0;
  virtual void SetCurrentY(float y) = 0;
  [[nodiscard]] virtual float CurrentX() const = 0;
  [[nodiscard]] virtual float CurrentY() const = 0;

  virtual void SetFontName(std::string_view name) = 0;
  virtual void SetFontSize(float points) = 0;
  [[nodiscard]] virtual float FontSize() const = 0;
  // Measures in the current font and scale units.
  [[nodiscard]] virtual float TextWidth(std::string_view text) const = 0;
  [[nodiscard]] virtual float TextHeight(std::string_view text) const = 0;

  // Draws text at the current position in the foreground colour, transparent background.
  virtual void Print(std::string_view text) = 0;
  // Clears the image to the background colour and moves the position to 0, 0.
  virtual void Cls() = 0;

  // The persistent image as the bytes of a Windows bitmap file.
  [[nodiscard]] virtual Bytes BitmapFile() const = 0;
};

}  // namespace wethrix
