#pragma once
#include "platform/settings_store.hpp"
#include "platform/win32/services/registry.hpp"

namespace wethrix::win32 {

// The current user's registry: HKEY_CURRENT_USER\Software\<app>\<section>, one REG_SZ value per
// key, through the one registry wrapper. A value that is missing, of another type or unreadable
// reads as the fallback; a refused write becomes AppError, as the store promises its callers.
class RegistrySettingsStore final : public SettingsStore {
 public:
  [[nodiscard]] std::string Read(std::string_view app, std::string_view section, std::string_view key,
                                 std::string_view fallback) const override;
  void Write(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value) override;

 private:
  Win32Registry registry_;
};

}  // namespace wethrix::win32
