#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "image/image.hpp"
#include "platform/picture.hpp"

namespace wethrix::win32 {

// Loads ".ico" (brought to the small-icon size the tray shows), ".cur" and ".bmp" files into pictures
// that destroy their handle with the last reference. A cursor counts as an icon picture.
// Throws AppError: 53 when the file is missing, 481 when it is not a picture of its kind.
class Win32PictureLoader final : public PictureLoader {
 public:
  [[nodiscard]] PicturePtr Load(std::string_view path) override;

 private:
  struct MadeIcon {
    imaging::Image image;
    SIZE size;
    PicturePtr picture;
  };

  [[nodiscard]] PicturePtr LoadTrayIcon(std::string_view path, const std::wstring& wide,
                                        std::uint64_t file_size);
  [[nodiscard]] PicturePtr IconFromConverter(imaging::Image image, SIZE size);

  std::optional<MadeIcon> last_made_;
};

}  // namespace wethrix::win32
