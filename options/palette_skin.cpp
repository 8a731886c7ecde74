#include "options/palette_skin.hpp"

#include <string>

#include "options/skin_file.hpp"
#include "platform/errors.hpp"

namespace wethrix {

// A file holds one scheme, so there is none to choose.
void PaletteSkin::LoadSkin(std::string_view path, std::string_view /*scheme*/) {
  loaded_ = {};
  try {
    const Bytes bytes = files_.Read(path);
    loaded_ = ParseSkinFile(std::string(bytes.begin(), bytes.end()));
  } catch (const AppError&) {  // an unreadable skin is no skin
  }
}

void PaletteSkin::ApplyWindow(std::int32_t window) {
  if ((options_ & kSkinEnabled) == 0 || loaded_.Empty()) return;
  SkinPalette palette = loaded_;
  if (!skin_controls_) {
    palette.text.reset();
    palette.frame_text.reset();
  }
  if (!skin_buttons_) palette.button.reset();
  apply_(window, palette);
}

}  // namespace wethrix
