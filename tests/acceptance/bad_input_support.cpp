#include "tests/acceptance/bad_input_support.hpp"

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::acceptance {

StoredValue TextValue(std::string_view utf8) {
  const std::wstring text = win32::Widen(utf8);
  const auto* first = reinterpret_cast<const BYTE*>(text.c_str());
  return {REG_SZ, std::vector<BYTE>(first, first + (text.size() + 1) * sizeof(wchar_t))};
}

StoredValue DwordValue(DWORD number) {
  const auto* first = reinterpret_cast<const BYTE*>(&number);
  return {REG_DWORD, std::vector<BYTE>(first, first + sizeof number)};
}

StoredValue BinaryValue(std::vector<BYTE> bytes) {
  return {REG_BINARY, std::move(bytes)};
}

namespace settings {

void Store(const std::wstring& key, const StoredValue& value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, key.c_str(), value.type, value.bytes.data(),
                    static_cast<DWORD>(value.bytes.size()));
}

std::map<std::wstring, StoredValue> StoredValues() {
  std::map<std::wstring, StoredValue> values;
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
    return values;
  }
  const win32::unique_hkey key(raw);
  for (DWORD index = 0;; ++index) {
    std::wstring name(16384, L'\0');
    auto name_length = static_cast<DWORD>(name.size());
    StoredValue value;
    value.bytes.resize(1 << 20);
    auto size = static_cast<DWORD>(value.bytes.size());
    if (::RegEnumValueW(key.get(), index, name.data(), &name_length, nullptr, &value.type, value.bytes.data(),
                        &size) != ERROR_SUCCESS) {
      break;
    }
    name.resize(name_length);
    value.bytes.resize(size);
    values.emplace(std::move(name), std::move(value));
  }
  return values;
}

}  // namespace settings

std::vector<std::string> DismissApplicationErrors(const WethrixDriver& wethrix, std::size_t count) {
  std::vector<std::string> texts;
  while (texts.size() < count) {
    HWND box = wethrix.WaitForOwnWindow(L"Application Error");
    if (box == nullptr) break;
    texts.push_back(WindowText(::GetDlgItem(box, kMessageBoxTextId)));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    (void)WaitUntil([box] { return ::IsWindow(box) == FALSE; });
  }
  return texts;
}

}  // namespace wethrix::acceptance
