#include "options/appearance.hpp"

#include <cstdint>

namespace wethrix {
namespace {

[[nodiscard]] bool TakesFormColor(ControlKind kind) {
  switch (kind) {
    case ControlKind::kOptionButton:
    case ControlKind::kCheckBox:
    case ControlKind::kFrame:
    case ControlKind::kLabel:
      return true;
    case ControlKind::kPictureBox:
    case ControlKind::kTextBox:
    case ControlKind::kPushButton:
      return false;
  }
  return false;
}

// The component takes a 32-bit handle; window handles fit in 32 bits on 64-bit Windows too.
[[nodiscard]] std::int32_t HandleAsInt32(std::uintptr_t handle) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(handle));
}

}  // namespace

std::string SkinFilePath(std::string_view program_folder) {
  return std::string(program_folder) + "\\x\\o.cjs";
}

void ApplyFormColors(FormWindow& window) {
  window.SetBackColor(kButtonFace);
  for (FormControl* control : window.Controls()) {
    if (TakesFormColor(control->Kind())) control->SetBackColor(kButtonFace);
  }
}

void ApplySkin(FormWindow& window, SkinEngine& skin, const FileSystem& files,
               std::string_view program_folder) {
  if (!files.ExistsVisible(SkinFilePath(program_folder))) return;
  ApplyFormColors(window);
  skin.LoadSkin(SkinFilePath(program_folder), "");
  skin.SetOptions(skin.Options() | kSkinEnabled);
  skin.SetSkinControls(true);
  skin.SetSkinButtons(true);
  skin.ApplyWindow(HandleAsInt32(window.Handle()));
}

}  // namespace wethrix
