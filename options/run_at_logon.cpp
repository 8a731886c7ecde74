#include "options/run_at_logon.hpp"

#include <charconv>

#include "platform/errors.hpp"

namespace wethrix {
namespace RegStuff {
namespace {

std::string AsText(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return std::to_string(std::get<std::uint32_t>(value));
}

std::uint32_t AsNumber(const Value& value) {
  if (const auto* number = std::get_if<std::uint32_t>(&value)) return *number;
  const auto& text = std::get<std::string>(value);
  std::uint32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc{} || end != text.data() + text.size()) throw TypeMismatch();
  return number;
}

}  // namespace

long WriteValue(Registry& registry, Key key, std::string_view name, std::uint32_t type, const Value& value) {
  switch (type) {
    case kRegSz:
      return registry.SetString(key.root, key.path, name, AsText(value));
    case kRegDword:
      return registry.SetDword(key.root, key.path, name, AsNumber(value));
    default:
      return 0;
  }
}

long WriteKeyValue(Registry& registry, RegistryRoot root, std::string_view key_path, std::string_view name,
                   const Value& value, std::uint32_t type) {
  return WriteValue(registry, Key{root, key_path}, name, type, value);
}

void DeleteKeyValue(Registry& registry, RegistryRoot root, std::string_view key_path, std::string_view name) {
  static_cast<void>(registry.DeleteValue(root, key_path, name));
}

long AddRunEntry(Registry& registry, std::string_view name, std::string_view program_path) {
  const std::string quoted = '"' + std::string(program_path) + '"';
  return WriteKeyValue(registry, RegistryRoot::kCurrentUser, kRunKeyPath, name, quoted, kRegSz);
}

void RemoveRunEntry(Registry& registry, std::string_view name) {
  for (const RegistryRoot root :
       {RegistryRoot::kCurrentUser, RegistryRoot::kLocalMachine, RegistryRoot::kLocalMachine32}) {
    DeleteKeyValue(registry, root, kRunKeyPath, name);
  }
}

}  // namespace RegStuff

namespace modStartUp {

std::string ExecutableName(std::string_view program_path) {
  const auto slash = program_path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? program_path : program_path.substr(slash + 1));
}

bool AddToStartup(Registry& registry, const Environment& environment) {
  const std::string path = environment.ProgramPath();
  const std::string name = ExecutableName(path);
  if (name.empty()) return false;
  return RegStuff::AddRunEntry(registry, name, path) == 0;
}

void RemoveFromStartup(Registry& registry, const Environment& environment) {
  const std::string name = ExecutableName(environment.ProgramPath());
  if (!name.empty()) RegStuff::RemoveRunEntry(registry, name);
}

}  // namespace modStartUp
}  // namespace wethrix
