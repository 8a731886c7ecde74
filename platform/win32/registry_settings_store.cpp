#include "platform/win32/registry_settings_store.hpp"

#include <windows.h>

#include <optional>

#include "platform/win32/check.hpp"
#include "platform/win32/unique_handle.hpp"
#include "platform/win32/wide.hpp"

namespace wethrix::win32 {
namespace {

std::wstring KeyPath(std::string_view app, std::string_view section) {
  return L"Software\\" + Widen(app) + L"\\" + Widen(section);
}

// The value's text, or nothing when it is missing, not a REG_SZ or cannot be read. The value may
// change between the size query and the read, so the read is retried while it grows.
std::optional<std::wstring> ReadText(HKEY key, const std::wstring& name) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return {};
    if (type != REG_SZ) return {};
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status =
        ::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || type != REG_SZ) return {};
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  }
  return {};
}

}  // namespace

std::string RegistrySettingsStore::Read(std::string_view app, std::string_view section, std::string_view key,
                                        std::string_view fallback) const {
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE, &raw) !=
      ERROR_SUCCESS) {
    return std::string(fallback);
  }
  const unique_hkey opened(raw);
  const std::optional<std::wstring> text = ReadText(opened.get(), Widen(key));
  return text ? Narrow(*text) : std::string(fallback);
}

void RegistrySettingsStore::Write(std::string_view app, std::string_view section, std::string_view key,
                                  std::string_view value) {
  HKEY raw = nullptr;
  ThrowIfFailed(::RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &raw, nullptr));
  const unique_hkey created(raw);
  const std::wstring text = Widen(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  ThrowIfFailed(::RegSetValueExW(created.get(), Widen(key).c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()), bytes));
}

}  // namespace wethrix::win32
