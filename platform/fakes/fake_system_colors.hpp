#pragma once
#include <map>

#include "platform/system_colors.hpp"

namespace wethrix::fakes {

// A scheme of the test's own; an index it does not set has the value 0x00AA00 + index, so each
// index is told apart from the others.
class FakeSystemColors final : public SystemColors {
 public:
  [[nodiscard]] bool HighContrast() const override { return high_contrast; }
  [[nodiscard]] std::uint32_t Value(int index) const override {
    const auto found = values.find(index);
    return found != values.end() ? found->second : 0x00AA00U + static_cast<std::uint32_t>(index);
  }

  bool high_contrast = false;
  std::map<int, std::uint32_t> values;
};

}  // namespace wethrix::fakes
