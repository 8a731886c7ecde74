#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wethrix {

// HKEY_LOCAL_MACHINE has two views on 64-bit Windows: the native one, and the one 32-bit programs
// read and write, which holds its own values under the same paths.
enum class RegistryRoot { kCurrentUser, kLocalMachine, kLocalMachine32 };

// Each operation opens its key and closes it again before returning. Results are Win32 error
// codes (0 for success).
class Registry {
 public:
  virtual ~Registry() = default;
  [[nodiscard]] virtual long SetString(RegistryRoot root, std::string_view key_path, std::string_view name,
                                       std::string_view value) = 0;
  [[nodiscard]] virtual long SetDword(RegistryRoot root, std::string_view key_path, std::string_view name,
                                      std::uint32_t value) = 0;
  [[nodiscard]] virtual long DeleteValue(RegistryRoot root, std::string_view key_path,
                                         std::string_view name) = 0;
  [[nodiscard]] virtual std::optional<std::string> ReadString(RegistryRoot root, std::string_view key_path,
                                                              std::string_view name) const = 0;
};

}  // namespace wethrix
