#include "platform/fakes/fake_picture_box.hpp"

#include "image/bitmap_writer.hpp"
#include "platform/text.hpp"

namespace wethrix::fakes {

void FakePictureBox::SetBackColor(Color color) {
  back_ = color;
  Cls();
}

void FakePictureBox::SetScaleModePixels() {
  scale_width_ = static_cast<float>(width_);
  scale_height_ = static_cast<float>(height_);
}

float FakePictureBox::TextWidth(std::string_view text) const {
  const auto characters = static_cast<float>(Utf8ToUtf16(text).size());
  return characters * 0.55F * EmPixels() * UnitsPerPixelX();
}

float FakePictureBox::TextHeight(std::string_view /*text*/) const {
  return 1.15F * EmPixels() * UnitsPerPixelY();
}

void FakePictureBox::Print(std::string_view text) {
  prints.push_back({std::string(text), x_, y_, fore_, back_, font_size_});
}

void FakePictureBox::Cls() {
  prints.clear();
  ++clears;
  x_ = 0;
  y_ = 0;
}

Bytes FakePictureBox::BitmapFile() const {
  const auto rgb = [](Color color) {
    return (color & 0xFFU) << 16U | (color & 0xFF00U) | (color >> 16U & 0xFFU);
  };
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                                    rgb(back_));
  std::size_t next = 0;
  for (const PrintedText& print : prints) {
    for (const char c : print.text) {
      if (next < pixels.size()) pixels[next++] = rgb(print.fore) ^ static_cast<std::uint8_t>(c);
    }
  }
  return imaging::EncodeBitmapFile(width_, height_, pixels);
}

}  // namespace wethrix::fakes
