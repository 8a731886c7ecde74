#include "platform/win32/services/registry_settings_store.hpp"

#include <windows.h>

#include <string>

#include "platform/win32/services/check.hpp"

namespace wethrix::win32 {
namespace {

std::string KeyPath(std::string_view app, std::string_view section) {
  return "Software\\" + std::string(app) + "\\" + std::string(section);
}

}  // namespace

std::string RegistrySettingsStore::Read(std::string_view app, std::string_view section, std::string_view key,
                                        std::string_view fallback) const {
  return registry_.ReadString(RegistryRoot::kCurrentUser, KeyPath(app, section), key)
      .value_or(std::string(fallback));
}

void RegistrySettingsStore::Write(std::string_view app, std::string_view section, std::string_view key,
                                  std::string_view value) {
  ThrowIfFailed(static_cast<LSTATUS>(
      registry_.SetString(RegistryRoot::kCurrentUser, KeyPath(app, section), key, value)));
}

}  // namespace wethrix::win32
