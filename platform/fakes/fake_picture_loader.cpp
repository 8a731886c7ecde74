#include "platform/fakes/fake_picture_loader.hpp"

#include "platform/fakes/fake_tray.hpp"

namespace wethrix::fakes {

PicturePtr FakePictureLoader::FromIconFile(const Bytes& file) {
  icons.push_back(file);
  return std::make_shared<FakePicture>(PictureType::kIcon, next_handle_++);
}

}  // namespace wethrix::fakes
