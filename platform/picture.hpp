#pragma once
#include <cstdint>
#include <memory>

#include "platform/file_system.hpp"

namespace wethrix {

enum class PictureType { kNone = 0, kBitmap = 1, kIcon = 3 };

// A loaded picture that owns its system handle and knows its kind.
class Picture {
 public:
  virtual ~Picture() = default;
  [[nodiscard]] virtual PictureType Type() const = 0;
  [[nodiscard]] virtual std::uintptr_t Handle() const = 0;
};

using PicturePtr = std::shared_ptr<const Picture>;

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // The icon picture of an icon file's bytes, of the kind the converter writes, brought to the
  // size the tray shows; throws AppError (kInvalidPicture) for anything else.
  [[nodiscard]] virtual PicturePtr FromIconFile(const Bytes& file) = 0;
};

}  // namespace wethrix
