#pragma once
#include <string>
#include <string_view>

namespace wethrix {

// Per-user text values addressed by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or `fallback` when there is none. Never fails on a missing value.
  [[nodiscard]] virtual std::string Read(std::string_view app, std::string_view section,
                                         std::string_view key, std::string_view fallback) const = 0;
  // Creates the application and section as needed; throws AppError when the store refuses.
  virtual void Write(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view value) = 0;
};

}  // namespace wethrix
