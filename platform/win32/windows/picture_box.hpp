#pragma once
// A picture box: a child window that shows a persistent image. Everything is drawn into an
// off-screen 32-bit bitmap, which WM_PAINT copies to the screen and BitmapFile gives out.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/form_design.hpp"
#include "platform/layout.hpp"
#include "platform/picture_box.hpp"
#include "platform/win32/handles/unique_handle.hpp"

namespace wethrix::win32 {

class PictureBoxWindow final : public PictureBox {
 public:
  // A hidden child of `parent`; the owner places and shows it. A border takes two pixels on
  // each side from the inner area, which is what the image and the scale cover.
  PictureBoxWindow(HWND parent, int control_id, const FontDesign& font, Color back_color, bool bordered);
  PictureBoxWindow(const PictureBoxWindow&) = delete;
  PictureBoxWindow& operator=(const PictureBoxWindow&) = delete;
  PictureBoxWindow(PictureBoxWindow&&) = delete;
  PictureBoxWindow& operator=(PictureBoxWindow&&) = delete;
  ~PictureBoxWindow() override;

  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  // Moves the window; the image keeps what fits and the rest takes the background colour.
  void Place(const PixelRect& rect);

  [[nodiscard]] Color ForeColor() const override { return fore_color_; }
  void SetForeColor(Color color) override { fore_color_ = color; }
  [[nodiscard]] Color BackColor() const override { return back_color_; }
  void SetBackColor(Color color) override;

  void SetScaleModePixels() override { user_scale_ = false; }
  void SetScaleWidth(float width) override;
  void SetScaleHeight(float height) override;
  [[nodiscard]] float ScaleWidth() const override;
  [[nodiscard]] float ScaleHeight() const override;

  void SetCurrentX(float x) override { current_x_ = x; }
  void SetCurrentY(float y) override { current_y_ = y; }
  [[nodiscard]] float CurrentX() const override { return current_x_; }
  [[nodiscard]] float CurrentY() const override { return current_y_; }

  void SetFontName(std::string_view name) override;
  void SetFontSize(float points) override;
  [[nodiscard]] float FontSize() const override { return font_points_; }
  [[nodiscard]] float TextWidth(std::string_view text) const override;
  [[nodiscard]] float TextHeight(std::string_view text) const override;

  void Print(std::string_view text) override;
  void Cls() override;
  [[nodiscard]] Bytes BitmapFile() const override;

 private:
  template <typename Window>
  friend LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void Detach() { hwnd_ = nullptr; }
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Invalidate() const;
  void Paint(HDC target) const;
  void ResizeImage(int width, int height);
  void Fill(Color color);
  void UpdateFont();
  [[nodiscard]] SIZE Measure(std::wstring_view line) const;
  [[nodiscard]] float UnitsPerPixelX() const;
  [[nodiscard]] float UnitsPerPixelY() const;

  HWND hwnd_ = nullptr;
  unique_hbitmap bitmap_;  // declared before the DC that holds it, so it is freed after it
  unique_hdc dc_;
  unique_hfont font_;
  LOGFONTW font_design_{};         // what font_ was made from
  std::uint32_t* bits_ = nullptr;  // top row first, 0x00RRGGBB
  int width_ = 0;
  int height_ = 0;

  Color fore_color_ = kButtonTextColor;
  Color back_color_;
  bool user_scale_ = false;
  float scale_width_ = 0;
  float scale_height_ = 0;
  float current_x_ = 0;
  float current_y_ = 0;
  std::wstring font_name_;
  float font_points_;
  bool font_bold_;
};

}  // namespace wethrix::win32
