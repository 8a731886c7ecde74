#include "platform/fakes/fake_picture_box.hpp"

#include "platform/errors.hpp"
#include "platform/fakes/fake_services.hpp"
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

float FakePictureBox::TextHeight(std::string_view /*text*/) const { return 1.15F * EmPixels() * UnitsPerPixelY(); }

void FakePictureBox::Print(std::string_view text) {
  prints.push_back({std::string(text), x_, y_, fore_, back_, font_size_});
}

void FakePictureBox::Cls() {
  prints.clear();
  ++clears;
  x_ = 0;
  y_ = 0;
}

void FakePictureBox::SaveBitmap(std::string_view path) const {
  if (fail_save) throw AppError(error_number::kPermissionDenied, "Permission denied");
  saved.emplace_back(path);
  if (files_ != nullptr) files_->Write(path, Bytes{'B', 'M'});
}

}  // namespace wethrix::fakes
