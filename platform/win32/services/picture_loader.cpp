#include "platform/win32/services/picture_loader.hpp"

#include "image/icon_reader.hpp"
#include "platform/errors.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/tray_icon_size.hpp"

namespace wethrix::win32 {
namespace {

class OwnedIcon final : public Picture {
 public:
  explicit OwnedIcon(unique_hicon handle) : handle_(std::move(handle)) {}
  [[nodiscard]] PictureType Type() const override { return PictureType::kIcon; }
  [[nodiscard]] std::uintptr_t Handle() const override {
    return reinterpret_cast<std::uintptr_t>(handle_.get());
  }

 private:
  unique_hicon handle_;
};

}  // namespace

// Most refreshes draw what the one before drew, and making an icon costs a millisecond or more
// of window-server calls under Wine; the same picture at the same size shares the icon made last.
PicturePtr Win32PictureLoader::FromIconFile(const Bytes& file) {
  std::optional<imaging::Image> image = imaging::ReadOpaqueIcon(file);
  if (!image) throw InvalidPicture();
  const SIZE size = TraySmallIconSize();
  if (last_made_ && last_made_->size.cx == size.cx && last_made_->size.cy == size.cy &&
      last_made_->image == *image) {
    return last_made_->picture;
  }
  PicturePtr picture = std::make_shared<OwnedIcon>(OpaqueIconOfSize(*image, size));
  last_made_ = MadeIcon{std::move(*image), size, picture};
  return picture;
}

}  // namespace wethrix::win32
