#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

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
  // Loads an icon, cursor or bitmap file; throws AppError when it cannot be read.
  [[nodiscard]] virtual PicturePtr Load(std::string_view path) = 0;
};

}  // namespace wethrix
