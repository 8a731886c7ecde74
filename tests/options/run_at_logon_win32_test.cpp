// The Run entry in the real registry (Wine's, under test).
#include <gtest/gtest.h>
#include <windows.h>

#include "options/run_at_logon.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/environment.hpp"
#include "platform/win32/services/registry.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix {
namespace {

// Only the program path matters here: a made-up one, for places the test cannot run from.
class ProgramEnvironment final : public Environment {
 public:
  explicit ProgramEnvironment(std::string program_path) : program_path_(std::move(program_path)) {}
  [[nodiscard]] std::optional<std::string> Variable(std::string_view /*name*/) const override {
    return std::nullopt;
  }
  [[nodiscard]] std::string ProgramPath() const override { return program_path_; }
  [[nodiscard]] std::string ProgramFolder() const override { return {}; }
  [[nodiscard]] std::string SystemTempFolder() const override { return {}; }
  [[nodiscard]] std::string LocalAppDataFolder() const override { return {}; }
  [[nodiscard]] Bytes Resource(std::string_view /*type*/, int /*id*/) const override { return {}; }
  [[nodiscard]] std::string DecimalSeparator() const override { return "."; }

 private:
  std::string program_path_;
};

std::string RunningProgram() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return win32::Narrow(path);
}

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Read straight from the registry, not through the class under test; `view` picks a view of
// HKEY_LOCAL_MACHINE.
std::optional<std::wstring> RunValue(HKEY root, const std::wstring& name, REGSAM view = 0) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, kRunKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return std::nullopt;
  const win32::unique_hkey opened(key);
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  if (::RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(data);
}

// Written straight into one view, as a program of that bitness would.
bool WriteRunValue(const std::wstring& name, REGSAM view) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const win32::unique_hkey opened(key);
  const wchar_t data[] = L"C:\\Old\\Wethrix.exe";
  return ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof data) ==
         ERROR_SUCCESS;
}

TEST(RunAtLogonWin32Test, TickingWritesTheRunningProgramQuotedUnderTheCurrentUser) {
  win32::Win32Registry registry;
  const win32::Win32Environment environment;
  const std::wstring name = win32::Widen(modStartUp::ExecutableName(environment.ProgramPath()));
  ASSERT_EQ(name, L"options_win32_tests.exe");

  ASSERT_TRUE(modStartUp::AddToStartup(registry, environment));
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER, name), L"\"" + win32::Widen(RunningProgram()) + L"\"");

  modStartUp::RemoveFromStartup(registry, environment);
  EXPECT_FALSE(RunValue(HKEY_CURRENT_USER, name));
}

TEST(RunAtLogonWin32Test, AFolderWithSpacesAndAddingTwiceLeaveOneQuotedValue) {
  win32::Win32Registry registry;
  const ProgramEnvironment environment(R"(C:\Program Files\Wethrix Test\Wethrix Test.exe)");

  ASSERT_TRUE(modStartUp::AddToStartup(registry, environment));
  ASSERT_TRUE(modStartUp::AddToStartup(registry, environment));
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER, L"Wethrix Test.exe"),
            L"\"C:\\Program Files\\Wethrix Test\\Wethrix Test.exe\"");

  modStartUp::RemoveFromStartup(registry, environment);
  EXPECT_FALSE(RunValue(HKEY_CURRENT_USER, L"Wethrix Test.exe"));
}

TEST(RunAtLogonWin32Test, RemovingAlsoClearsTheMachineWideValueInBothViewsWhereAllowed) {
  win32::Win32Registry registry;
  const ProgramEnvironment environment("C:\\Apps\\Wethrix Machine.exe");
  for (const REGSAM view : {REGSAM{KEY_WOW64_64KEY}, REGSAM{KEY_WOW64_32KEY}}) {
    if (!WriteRunValue(L"Wethrix Machine.exe", view)) {
      GTEST_SKIP() << "this user may not write the machine-wide key";
    }
  }
  modStartUp::RemoveFromStartup(registry, environment);
  EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE, L"Wethrix Machine.exe", KEY_WOW64_64KEY));
  EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE, L"Wethrix Machine.exe", KEY_WOW64_32KEY));
}

TEST(Win32RegistryTest, ReadsBackTextAndReportsMissingValues) {
  win32::Win32Registry registry;
  const std::string key = "Software\\Kestrivon\\WethrixTest";
  ASSERT_EQ(registry.SetString(RegistryRoot::kCurrentUser, key, "Text", "Zürich \"quoted\""), 0);
  EXPECT_EQ(registry.ReadString(RegistryRoot::kCurrentUser, key, "Text"), "Zürich \"quoted\"");
  EXPECT_EQ(registry.DeleteValue(RegistryRoot::kCurrentUser, key, "Text"), 0);
  EXPECT_EQ(registry.DeleteValue(RegistryRoot::kCurrentUser, key, "Text"), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(registry.ReadString(RegistryRoot::kCurrentUser, key, "Text"));
  EXPECT_EQ(registry.DeleteValue(RegistryRoot::kCurrentUser, key + "\\Missing", "Text"),
            ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace wethrix
