#pragma once
// Raw access to the program's stored values and to its "Application Error" boxes, for tests that
// feed the real program bad input and check that nothing it keeps is lost or rewritten.
#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tests/acceptance/wethrix_driver.hpp"

namespace wethrix::acceptance {

// A registry value exactly as stored: its type and every byte.
struct StoredValue {
  DWORD type = REG_SZ;
  std::vector<BYTE> bytes;
  friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

[[nodiscard]] StoredValue TextValue(std::string_view utf8);  // REG_SZ with its terminator
[[nodiscard]] StoredValue DwordValue(DWORD number);
[[nodiscard]] StoredValue BinaryValue(std::vector<BYTE> bytes);

namespace settings {
void Store(const std::wstring& key, const StoredValue& value);
// Every value under the program's settings key, by name.
[[nodiscard]] std::map<std::wstring, StoredValue> StoredValues();
}  // namespace settings

// Waits for up to `count` "Application Error" boxes in turn, dismissing each with OK; returns
// their texts (fewer when no further box came in time).
std::vector<std::string> DismissApplicationErrors(const WethrixDriver& wethrix, std::size_t count);

}  // namespace wethrix::acceptance
