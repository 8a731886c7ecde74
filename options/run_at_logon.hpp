#pragma once
// The entry under the user's Run key that starts the program at logon.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/environment.hpp"
#include "platform/registry.hpp"

namespace wethrix {

inline constexpr std::string_view kRunKeyPath = R"(Software\Microsoft\Windows\CurrentVersion\Run)";
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

// Registry work for the Run entry. Every key is opened and closed within one call.
namespace RegStuff {

// A key as the Registry interface addresses it; opening happens inside each operation.
struct Key {
  RegistryRoot root;
  std::string_view path;
};

using Value = std::variant<std::string, std::uint32_t>;

// Writes `value` as REG_SZ (text) or REG_DWORD (number); returns the Win32 result, or 0 and
// writes nothing for any other type. A text that is not a whole number throws for REG_DWORD.
[[nodiscard]] long WriteValue(Registry& registry, Key key, std::string_view name, std::uint32_t type,
                              const Value& value);
[[nodiscard]] long WriteKeyValue(Registry& registry, RegistryRoot root, std::string_view key_path,
                                 std::string_view name, const Value& value, std::uint32_t type);
// Deleting is quiet: a missing value or a key the user may not change is nothing to report.
void DeleteKeyValue(Registry& registry, RegistryRoot root, std::string_view key_path, std::string_view name);

// Writes "<program path>" in double quotes under the current user's Run key, so a folder with
// spaces cannot be read as a shorter program path. Returns the Win32 result.
[[nodiscard]] long AddRunEntry(Registry& registry, std::string_view name, std::string_view program_path);
// Deletes the value from the current user's Run key and, where the user may, from the
// machine-wide one in both its views, which older and 32-bit versions of the program wrote.
void RemoveRunEntry(Registry& registry, std::string_view name);

}  // namespace RegStuff

// Starting the running executable at logon.
namespace modStartUp {

// The Run value's name: the executable's file name with its extension.
[[nodiscard]] std::string ExecutableName(std::string_view program_path);

// True when the entry was written; false tells the caller to report it and untick the option.
[[nodiscard]] bool AddToStartup(Registry& registry, const Environment& environment);
void RemoveFromStartup(Registry& registry, const Environment& environment);

}  // namespace modStartUp

}  // namespace wethrix
