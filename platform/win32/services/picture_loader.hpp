#pragma once
#include <windows.h>

#include <optional>

#include "image/image.hpp"
#include "platform/picture.hpp"

namespace wethrix::win32 {

// Makes tray icons, at the small-icon size the tray shows, of the icon files the converter
// writes; each destroys its handle with the last reference.
class Win32PictureLoader final : public PictureLoader {
 public:
  [[nodiscard]] PicturePtr FromIconFile(const Bytes& file) override;

 private:
  struct MadeIcon {
    imaging::Image image;
    SIZE size;
    PicturePtr picture;
  };

  std::optional<MadeIcon> last_made_;
};

}  // namespace wethrix::win32
