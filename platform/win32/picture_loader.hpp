#pragma once
#include "platform/picture.hpp"

namespace wethrix::win32 {

// Loads ".ico" (brought to the small-icon size the tray shows), ".cur" and ".bmp" files into pictures
// that destroy their handle with the last reference. A cursor counts as an icon picture.
// Throws AppError: 53 when the file is missing, 481 when it is not a picture of its kind.
class Win32PictureLoader final : public PictureLoader {
 public:
  [[nodiscard]] PicturePtr Load(std::string_view path) override;
};

}  // namespace wethrix::win32
