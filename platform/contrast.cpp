#include "platform/contrast.hpp"

namespace wethrix {
namespace {

// The system colour indexes, as Windows numbers them.
constexpr int kWindowIndex = 5;
constexpr int kWindowTextIndex = 8;
constexpr int kButtonFaceIndex = 15;

}  // namespace

// What the system itself gives a dialog: text boxes the window colours, everything else the
// button face with the window text on it.
Ink ContrastInk(std::optional<ControlKind> kind, const Ink& designed, bool high_contrast,
                const SystemColors& system) {
  if (!high_contrast || kind == ControlKind::kPictureBox) return designed;
  const int back = kind == ControlKind::kTextBox ? kWindowIndex : kButtonFaceIndex;
  return {system.Value(back), system.Value(kWindowTextIndex)};
}

}  // namespace wethrix
