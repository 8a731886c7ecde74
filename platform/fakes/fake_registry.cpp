#include "platform/fakes/fake_registry.hpp"

#include <algorithm>

#include "platform/text.hpp"

namespace wethrix::fakes {
long FakeRegistry::SetString(RegistryRoot root, std::string_view key_path, std::string_view name,
                             std::string_view value) {
  return Store(root, key_path, name, std::string(value));
}

long FakeRegistry::SetDword(RegistryRoot root, std::string_view key_path, std::string_view name,
                            std::uint32_t value) {
  return Store(root, key_path, name, value);
}

long FakeRegistry::DeleteValue(RegistryRoot root, std::string_view key_path, std::string_view name) {
  if (refused_roots.contains(root)) return kErrorAccessDenied;
  return values_.erase({root, LowerAscii(key_path), LowerAscii(name)}) == 1 ? 0 : kErrorFileNotFound;
}

std::optional<std::string> FakeRegistry::ReadString(RegistryRoot root, std::string_view key_path,
                                                    std::string_view name) const {
  const Data* data = Find(root, key_path, name);
  if (data == nullptr || !std::holds_alternative<std::string>(*data)) return std::nullopt;
  return std::get<std::string>(*data);
}

std::optional<std::uint32_t> FakeRegistry::ReadDword(RegistryRoot root, std::string_view key_path,
                                                     std::string_view name) const {
  const Data* data = Find(root, key_path, name);
  if (data == nullptr || !std::holds_alternative<std::uint32_t>(*data)) return std::nullopt;
  return std::get<std::uint32_t>(*data);
}

std::size_t FakeRegistry::ValueCount(RegistryRoot root, std::string_view key_path) const {
  const std::string folded = LowerAscii(key_path);
  return static_cast<std::size_t>(std::count_if(values_.begin(), values_.end(), [&](const auto& entry) {
    return std::get<0>(entry.first) == root && std::get<1>(entry.first) == folded;
  }));
}

long FakeRegistry::Store(RegistryRoot root, std::string_view key_path, std::string_view name, Data data) {
  if (refused_roots.contains(root)) return kErrorAccessDenied;
  values_[{root, LowerAscii(key_path), LowerAscii(name)}] = std::move(data);
  return 0;
}

const FakeRegistry::Data* FakeRegistry::Find(RegistryRoot root, std::string_view key_path,
                                             std::string_view name) const {
  const auto found = values_.find({root, LowerAscii(key_path), LowerAscii(name)});
  return found == values_.end() ? nullptr : &found->second;
}

}  // namespace wethrix::fakes
