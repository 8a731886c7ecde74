#include "platform/fakes/fake_picture_loader.hpp"

#include "platform/errors.hpp"
#include "platform/fakes/fake_tray.hpp"

namespace wethrix::fakes {

PicturePtr FakePictureLoader::Load(std::string_view path) {
  if (!files_.Exists(path)) throw AppError(error_number::kFileNotFound, "File not found");
  loaded.emplace_back(path);
  const bool icon = path.ends_with(".ico");
  return std::make_shared<FakePicture>(icon ? PictureType::kIcon : PictureType::kBitmap, next_handle_++);
}

}  // namespace wethrix::fakes
