#pragma once
#include "platform/system_colors.hpp"

namespace wethrix::win32 {

// The desktop's scheme as it is now: asked again at every call, never kept.
class Win32SystemColors final : public SystemColors {
 public:
  [[nodiscard]] bool HighContrast() const override;
  [[nodiscard]] std::uint32_t Value(int index) const override;
};

// The scheme the program's windows draw in unless they are given another.
[[nodiscard]] const SystemColors& DesktopColors();

}  // namespace wethrix::win32
