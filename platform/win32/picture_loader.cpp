#include "platform/win32/picture_loader.hpp"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "image/icon_layout.hpp"
#include "image/icon_reader.hpp"
#include "platform/errors.hpp"
#include "platform/text.hpp"
#include "platform/win32/file_system.hpp"
#include "platform/win32/tray_icon_size.hpp"
#include "platform/win32/unique_handle.hpp"
#include "platform/win32/wide.hpp"

namespace wethrix::win32 {
namespace {

template <typename Owner>
class OwnedPicture final : public Picture {
 public:
  OwnedPicture(Owner handle, PictureType type) : handle_(std::move(handle)), type_(type) {}
  [[nodiscard]] PictureType Type() const override { return type_; }
  [[nodiscard]] std::uintptr_t Handle() const override {
    return reinterpret_cast<std::uintptr_t>(handle_.get());
  }

 private:
  Owner handle_;
  PictureType type_;
};

std::string LowerExtension(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("\\/");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return LowerAscii(path.substr(dot));
}

// At the size stored in the file.
template <typename Owner>
Owner LoadFile(const std::wstring& path, UINT image_type) {
  using Handle = decltype(Owner().get());
  Owner handle(static_cast<Handle>(::LoadImageW(nullptr, path.c_str(), image_type, 0, 0, LR_LOADFROMFILE)));
  if (!handle) throw InvalidPicture();
  return handle;
}

template <typename Owner>
PicturePtr Own(Owner handle, PictureType type) {
  return std::make_shared<OwnedPicture<Owner>>(std::move(handle), type);
}

}  // namespace

// An icon of the kind the converter writes is read here: under Wine the system's loader takes
// milliseconds longer for it, on every refresh. Any other icon is left to the system.
PicturePtr Win32PictureLoader::LoadTrayIcon(std::string_view path, const std::wstring& wide,
                                            std::uint64_t file_size) {
  const SIZE size = TraySmallIconSize();
  const std::optional<Bytes> bytes =
      file_size <= imaging::kLargestIconFile ? Win32FileSystem().Read(path) : std::nullopt;
  if (bytes) {
    if (std::optional<imaging::Image> image = imaging::ReadOpaqueIcon(*bytes)) {
      return IconFromConverter(std::move(*image), size);
    }
  }
  return Own(FitIcon(LoadFile<unique_hicon>(wide, IMAGE_ICON), size), PictureType::kIcon);
}

// Most refreshes draw what the one before drew, and making an icon costs a millisecond or more
// of window-server calls under Wine; the same picture at the same size shares the icon made last.
PicturePtr Win32PictureLoader::IconFromConverter(imaging::Image image, SIZE size) {
  if (last_made_ && last_made_->size.cx == size.cx && last_made_->size.cy == size.cy &&
      last_made_->image == image) {
    return last_made_->picture;
  }
  PicturePtr picture = Own(OpaqueIconOfSize(image, size), PictureType::kIcon);
  last_made_ = MadeIcon{std::move(image), size, picture};
  return picture;
}

PicturePtr Win32PictureLoader::Load(std::string_view path) {
  const std::wstring wide = Widen(path);
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &file)) {
    throw AppError(error_number::kFileNotFound, "File not found");
  }
  const std::string extension = LowerExtension(path);
  if (extension == ".ico") {
    const std::uint64_t file_size = std::uint64_t{file.nFileSizeHigh} << 32U | file.nFileSizeLow;
    return LoadTrayIcon(path, wide, file_size);
  }
  if (extension == ".cur") return Own(LoadFile<unique_hcursor>(wide, IMAGE_CURSOR), PictureType::kIcon);
  if (extension == ".bmp") return Own(LoadFile<unique_hbitmap>(wide, IMAGE_BITMAP), PictureType::kBitmap);
  throw InvalidPicture();
}

}  // namespace wethrix::win32
