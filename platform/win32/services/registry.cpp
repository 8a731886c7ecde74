#include "platform/win32/services/registry.hpp"

#include <windows.h>

#include <optional>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {
namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The view of the root, named explicitly so that the answer never depends on who asks.
REGSAM View(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kLocalMachine:
      return KEY_WOW64_64KEY;
    case RegistryRoot::kLocalMachine32:
      return KEY_WOW64_32KEY;
    case RegistryRoot::kCurrentUser:
      break;
  }
  return 0;
}

struct OpenedKey {
  LSTATUS status;
  unique_hkey key;
};

OpenedKey OpenKey(RegistryRoot root, std::string_view key_path, REGSAM access) {
  HKEY key = nullptr;
  const LSTATUS status =
      ::RegOpenKeyExW(RootKey(root), Widen(key_path).c_str(), 0, access | View(root), &key);
  return {status, unique_hkey(status == ERROR_SUCCESS ? key : nullptr)};
}

OpenedKey CreateKey(RegistryRoot root, std::string_view key_path) {
  HKEY key = nullptr;
  const LSTATUS status = ::RegCreateKeyExW(RootKey(root), Widen(key_path).c_str(), 0, nullptr, 0,
                                           KEY_SET_VALUE | View(root), nullptr, &key, nullptr);
  return {status, unique_hkey(status == ERROR_SUCCESS ? key : nullptr)};
}

long SetValue(RegistryRoot root, std::string_view key_path, std::string_view name, DWORD type,
              const void* data, DWORD size) {
  const OpenedKey opened = CreateKey(root, key_path);
  if (opened.status != ERROR_SUCCESS) return opened.status;
  return ::RegSetValueExW(opened.key.get(), Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                          size);
}

// The value's text, or nothing when it is missing, not a REG_SZ or cannot be read. The value may
// change between the size query and the read, so the read is retried while it grows.
std::optional<std::wstring> ReadText(HKEY key, const std::wstring& name) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD bytes = 0;
    if (::RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status =
        ::RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  }
  return std::nullopt;
}

}  // namespace

long Win32Registry::SetString(RegistryRoot root, std::string_view key_path, std::string_view name,
                              std::string_view value) {
  const std::wstring text = Widen(value);
  const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return SetValue(root, key_path, name, REG_SZ, text.c_str(), size);
}

long Win32Registry::SetDword(RegistryRoot root, std::string_view key_path, std::string_view name,
                             std::uint32_t value) {
  const DWORD number = value;
  return SetValue(root, key_path, name, REG_DWORD, &number, sizeof number);
}

long Win32Registry::DeleteValue(RegistryRoot root, std::string_view key_path, std::string_view name) {
  const OpenedKey opened = OpenKey(root, key_path, KEY_SET_VALUE);
  if (opened.status != ERROR_SUCCESS) return opened.status;
  return ::RegDeleteValueW(opened.key.get(), Widen(name).c_str());
}

std::optional<std::string> Win32Registry::ReadString(RegistryRoot root, std::string_view key_path,
                                                     std::string_view name) const {
  const OpenedKey opened = OpenKey(root, key_path, KEY_QUERY_VALUE);
  if (opened.status != ERROR_SUCCESS) return std::nullopt;
  const std::optional<std::wstring> text = ReadText(opened.key.get(), Widen(name));
  if (!text) return std::nullopt;
  return Narrow(*text);
}

}  // namespace wethrix::win32
