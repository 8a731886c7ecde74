#pragma once
// Which colours a form and its controls are drawn in. The design's colours, a colour pass's and
// a skin's are choices the user did not make; under a high-contrast theme the theme's own
// colours replace them, so that text stays readable in the colours the user picked for it.
#include <cstdint>
#include <optional>

#include "platform/form_window.hpp"
#include "platform/system_colors.hpp"

namespace wethrix {

// A background and the text on it, 0x00BBGGRR as drawn.
struct Ink {
  std::uint32_t back;
  std::uint32_t text;
  bool operator==(const Ink&) const = default;
};

// `kind` is empty for the form itself. Picture boxes show the user's colours (the swatches, the
// sample, the icon), which are what they are for, so they keep `designed` in every theme.
[[nodiscard]] Ink ContrastInk(std::optional<ControlKind> kind, const Ink& designed, bool high_contrast,
                              const SystemColors& system);

}  // namespace wethrix
