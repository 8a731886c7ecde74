#pragma once
#include <string>
#include <vector>

#include "platform/skin_engine.hpp"

namespace wethrix::fakes {

// Records every call in order, e.g. "LoadSkin C:\x\o.cjs|" or "ApplyWindow 42".
class FakeSkinEngine final : public SkinEngine {
 public:
  void LoadSkin(std::string_view path, std::string_view scheme) override {
    calls.push_back("LoadSkin " + std::string(path) + "|" + std::string(scheme));
  }
  [[nodiscard]] std::int32_t Options() const override {
    calls.emplace_back("Options");
    return options;
  }
  void SetOptions(std::int32_t bits) override {
    options = bits;
    calls.push_back("SetOptions " + std::to_string(bits));
  }
  void SetSkinControls(bool on) override {
    calls.emplace_back(on ? "SetSkinControls true" : "SetSkinControls false");
  }
  void SetSkinButtons(bool on) override {
    calls.emplace_back(on ? "SetSkinButtons true" : "SetSkinButtons false");
  }
  void ApplyWindow(std::int32_t window) override { calls.push_back("ApplyWindow " + std::to_string(window)); }

  std::int32_t options = 0;
  mutable std::vector<std::string> calls;
};

}  // namespace wethrix::fakes
