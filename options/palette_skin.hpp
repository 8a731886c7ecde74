#pragma once
// Our skinning component: a skin is a file of named colours (options/skin_file.hpp) that is
// handed to the skinned window through `apply`, which knows how that window takes colours.
#include <functional>

#include "platform/file_system.hpp"
#include "platform/skin_engine.hpp"

namespace wethrix {

class PaletteSkin final : public SkinEngine {
 public:
  using Apply = std::function<void(std::int32_t window, const SkinPalette& palette)>;
  PaletteSkin(const FileSystem& files, Apply apply) : files_(files), apply_(std::move(apply)) {}

  // A missing or unreadable file loads an empty skin: nothing changes and nothing is reported.
  void LoadSkin(std::string_view path, std::string_view scheme) override;
  [[nodiscard]] std::int32_t Options() const override { return options_; }
  void SetOptions(std::int32_t bits) override { options_ = bits; }
  void SetSkinControls(bool on) override { skin_controls_ = on; }
  void SetSkinButtons(bool on) override { skin_buttons_ = on; }
  // Does nothing until kSkinEnabled is set or while the skin is empty.
  void ApplyWindow(std::int32_t window) override;

 private:
  const FileSystem& files_;
  Apply apply_;
  SkinPalette loaded_;
  std::int32_t options_ = 0;
  bool skin_controls_ = false;
  bool skin_buttons_ = false;
};

}  // namespace wethrix
