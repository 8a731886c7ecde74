#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/registry_settings_store.hpp"

namespace wethrix::win32 {
namespace {

// A section of its own, so the test never meets the program's real settings.
constexpr std::string_view kApp = "Kestrivon";
constexpr std::string_view kSection = "Wethrix Store Test";

TEST(RegistrySettingsStoreTest, MissingValuesReadAsTheFallback) {
  const RegistrySettingsStore store;
  EXPECT_EQ(store.Read(kApp, kSection, "Never Written", "65535"), "65535");
  EXPECT_EQ(store.Read("Kestrivon Nowhere", "Nothing", "Text1", "San Diego CA"), "San Diego CA");
  EXPECT_EQ(store.Read(kApp, kSection, "Never Written", ""), "");
}

TEST(RegistrySettingsStoreTest, WritesCreateTheKeysAndReplaceEarlierValues) {
  RegistrySettingsStore store;
  store.Write(kApp, kSection, "Font Color", "255");
  EXPECT_EQ(store.Read(kApp, kSection, "Font Color", "65535"), "255");
  store.Write(kApp, kSection, "Font Color", "-2147483633");
  EXPECT_EQ(store.Read(kApp, kSection, "Font Color", "65535"), "-2147483633");
  store.Write(kApp, kSection, "APIKey", "");
  EXPECT_EQ(store.Read(kApp, kSection, "APIKey", "fallback"), "");
}

TEST(RegistrySettingsStoreTest, KeepsTextWhole) {
  RegistrySettingsStore store;
  const std::string texts[] = {"S\xC3\xA3o Paulo \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x8C\xA1", "  spaced  ",
                               std::string(5000, 'x')};
  for (const auto& text : texts) {
    store.Write(kApp, kSection, "Text1", text);
    EXPECT_EQ(store.Read(kApp, kSection, "Text1", ""), text);
  }
}

TEST(RegistrySettingsStoreTest, AValueOfAnotherTypeReadsAsTheFallback) {
  HKEY raw = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Kestrivon\\Wethrix Store Test", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &raw, nullptr),
            ERROR_SUCCESS);
  const unique_hkey key(raw);
  const DWORD number = 7;
  const BYTE junk[] = {0xFF, 0xFE, 0x00};
  EXPECT_EQ(::RegSetValueExW(key.get(), L"Option4", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof(number)),
            ERROR_SUCCESS);
  EXPECT_EQ(::RegSetValueExW(key.get(), L"Option5", 0, REG_BINARY, junk, sizeof(junk)), ERROR_SUCCESS);
  const RegistrySettingsStore store;
  EXPECT_EQ(store.Read(kApp, kSection, "Option4", "1"), "1");
  EXPECT_EQ(store.Read(kApp, kSection, "Option5", "0"), "0");
}

}  // namespace
}  // namespace wethrix::win32
