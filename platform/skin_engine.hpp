#pragma once
// The skinning component: loads a skin from a file and draws a window in its style. The
// program only calls it, in a fixed order, and never looks at what it makes of the skin.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/picture_box.hpp"

namespace wethrix {

// Option bit that switches skinning on; the other bits belong to the component.
inline constexpr std::int32_t kSkinEnabled = 1;

// Colours a skin gives a window. Unset colours leave the window's own.
struct SkinPalette {
  std::optional<Color> window;      // replaces the button-face colour throughout the window
  std::optional<Color> text;        // text of labels, option buttons and check boxes
  std::optional<Color> frame_text;  // captions of frames
  std::optional<Color> button;      // faces of push buttons
  bool operator==(const SkinPalette&) const = default;
  [[nodiscard]] bool Empty() const { return *this == SkinPalette{}; }
};

class SkinEngine {
 public:
  virtual ~SkinEngine() = default;
  // Loads the skin; `scheme` names a colour scheme within the file, empty for its only one.
  virtual void LoadSkin(std::string_view path, std::string_view scheme) = 0;
  [[nodiscard]] virtual std::int32_t Options() const = 0;
  virtual void SetOptions(std::int32_t bits) = 0;
  // Whether the skin also colours the text of the controls and the frame captions.
  virtual void SetSkinControls(bool on) = 0;
  // Whether the skin also colours the push buttons.
  virtual void SetSkinButtons(bool on) = 0;
  // Draws the window with this handle, given as a 32-bit integer, in the loaded skin.
  virtual void ApplyWindow(std::int32_t window) = 0;
};

}  // namespace wethrix
