#pragma once
#include "platform/registry.hpp"

namespace wethrix::win32 {

// The Windows registry, UTF-16 at the boundary. Writing creates a missing key; each call opens
// and closes its key.
class Win32Registry final : public Registry {
 public:
  [[nodiscard]] long SetString(RegistryRoot root, std::string_view key_path, std::string_view name,
                               std::string_view value) override;
  [[nodiscard]] long SetDword(RegistryRoot root, std::string_view key_path, std::string_view name,
                              std::uint32_t value) override;
  [[nodiscard]] long DeleteValue(RegistryRoot root, std::string_view key_path,
                                 std::string_view name) override;
  [[nodiscard]] std::optional<std::string> ReadString(RegistryRoot root, std::string_view key_path,
                                                      std::string_view name) const override;
};

}  // namespace wethrix::win32
