#pragma once
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/accessibility.hpp"

namespace wethrix::fakes {

// Keeps what it is told; a value is read as assistive technology would, when asked.
class FakeAccessibility final : public Accessibility {
 public:
  void SetName(std::string_view control, std::string_view name) override {
    names[std::string(control)] = std::string(name);
  }
  void SetValue(std::string_view control, std::function<std::string()> value) override {
    values_[std::string(control)] = std::move(value);
  }
  void Withhold(std::string_view control) override { withheld.emplace(control); }

  [[nodiscard]] std::optional<std::string> ValueOf(const std::string& control) const {
    const auto found = values_.find(control);
    if (found == values_.end()) return std::nullopt;
    return found->second();
  }

  std::map<std::string, std::string> names;
  std::set<std::string> withheld;

 private:
  std::map<std::string, std::function<std::string()>> values_;
};

}  // namespace wethrix::fakes
