#pragma once
#include <string>
#include <vector>

#include "platform/picture_box.hpp"

namespace wethrix::fakes {

struct PrintedText {
  std::string text;
  float x;
  float y;
  Color fore;
  Color back;
  float font_size;
};

// A picture box with simple, predictable text metrics: every character is 0.55 em wide and a
// line is 1.15 em high, at 96 dots per inch. Its bitmap is of its size in the background colour,
// with what was printed since the last clear spelt into its first pixels, so that two pictures
// differ as what was drawn on them does.
class FakePictureBox final : public PictureBox {
 public:
  FakePictureBox(int width_pixels, int height_pixels) : width_(width_pixels), height_(height_pixels) {}

  [[nodiscard]] Color ForeColor() const override { return fore_; }
  void SetForeColor(Color color) override { fore_ = color; }
  [[nodiscard]] Color BackColor() const override { return back_; }
  void SetBackColor(Color color) override;

  void SetScaleModePixels() override;
  void SetScaleWidth(float width) override { scale_width_ = width; }
  void SetScaleHeight(float height) override { scale_height_ = height; }
  [[nodiscard]] float ScaleWidth() const override { return scale_width_; }
  [[nodiscard]] float ScaleHeight() const override { return scale_height_; }

  void SetCurrentX(float x) override { x_ = x; }
  void SetCurrentY(float y) override { y_ = y; }
  [[nodiscard]] float CurrentX() const override { return x_; }
  [[nodiscard]] float CurrentY() const override { return y_; }

  void SetFontName(std::string_view name) override { font_name_ = name; }
  void SetFontSize(float points) override { font_size_ = points; }
  [[nodiscard]] float FontSize() const override { return font_size_; }
  [[nodiscard]] float TextWidth(std::string_view text) const override;
  [[nodiscard]] float TextHeight(std::string_view text) const override;

  void Print(std::string_view text) override;
  void Cls() override;
  [[nodiscard]] Bytes BitmapFile() const override;

  [[nodiscard]] const std::string& FontName() const { return font_name_; }
  std::vector<PrintedText> prints;  // since the last clear
  int clears = 0;

 private:
  [[nodiscard]] float EmPixels() const { return font_size_ * 96.0F / 72.0F; }
  [[nodiscard]] float UnitsPerPixelX() const { return scale_width_ / static_cast<float>(width_); }
  [[nodiscard]] float UnitsPerPixelY() const { return scale_height_ / static_cast<float>(height_); }

  int width_;
  int height_;
  Color fore_ = 0;
  Color back_ = 0x00FFFFFF;
  float scale_width_ = static_cast<float>(width_);
  float scale_height_ = static_cast<float>(height_);
  float x_ = 0;
  float y_ = 0;
  std::string font_name_ = "Arial";
  float font_size_ = 9;
};

}  // namespace wethrix::fakes
