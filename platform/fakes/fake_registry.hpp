#pragma once
// An in-memory registry. Key paths and value names compare without regard to case, as in Windows.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <variant>

#include "platform/registry.hpp"

namespace wethrix::fakes {

inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;

class FakeRegistry final : public Registry {
 public:
  [[nodiscard]] long SetString(RegistryRoot root, std::string_view key_path, std::string_view name,
                               std::string_view value) override;
  [[nodiscard]] long SetDword(RegistryRoot root, std::string_view key_path, std::string_view name,
                              std::uint32_t value) override;
  [[nodiscard]] long DeleteValue(RegistryRoot root, std::string_view key_path,
                                 std::string_view name) override;
  [[nodiscard]] std::optional<std::string> ReadString(RegistryRoot root, std::string_view key_path,
                                                      std::string_view name) const override;
  [[nodiscard]] std::optional<std::uint32_t> ReadDword(RegistryRoot root, std::string_view key_path,
                                                       std::string_view name) const;
  // Values under one key, whatever their type.
  [[nodiscard]] std::size_t ValueCount(RegistryRoot root, std::string_view key_path) const;

  std::set<RegistryRoot> refused_roots;  // writes and deletes there fail as for a standard user

 private:
  using Address = std::tuple<RegistryRoot, std::string, std::string>;
  using Data = std::variant<std::string, std::uint32_t>;
  [[nodiscard]] long Store(RegistryRoot root, std::string_view key_path, std::string_view name, Data data);
  [[nodiscard]] const Data* Find(RegistryRoot root, std::string_view key_path, std::string_view name) const;

  std::map<Address, Data> values_;
};

}  // namespace wethrix::fakes
