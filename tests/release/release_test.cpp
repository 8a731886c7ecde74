// The release as a Windows user gets it: installed, used, upgraded and removed in a fresh prefix.
// tests/release/run.sh builds the release and sets the environment this program reads.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/win32/services/wide.hpp"
#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kRunValueName[] = L"Wethrix.exe";

// What the winget manifest says Apps & features shows, as tests/release/check_manifests.py read it.
std::string ManifestEntry(const std::wstring& name) {
  return win32::Narrow(EnvironmentVariable((L"WETHRIX_MANIFEST_" + name).c_str()));
}

// The installer's Uninstall key, named by the manifest's ProductCode.
std::wstring UninstallKey() {
  return L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
         win32::Widen(ManifestEntry(L"ProductCode"));
}

fs::path KnownFolder(int csidl) {
  std::wstring folder(MAX_PATH, L'\0');
  EXPECT_EQ(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder.data()), S_OK);
  return {folder.c_str()};
}

fs::path InstallFolder() {
  return KnownFolder(CSIDL_LOCAL_APPDATA) / "Programs" / "Wethrix";
}
fs::path Shortcut() {
  return KnownFolder(CSIDL_PROGRAMS) / "Wethrix.lnk";
}
fs::path ImagesFolder() {
  return KnownFolder(CSIDL_LOCAL_APPDATA) / "Kestrivon" / "Wethrix";
}

std::optional<std::string> UninstallValue(const wchar_t* name) {
  std::wstring value(1024, L'\0');
  auto size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (::RegGetValueW(HKEY_CURRENT_USER, UninstallKey().c_str(), name, RRF_RT_REG_SZ, nullptr, value.data(),
                     &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(std::wcslen(value.c_str()));
  return win32::Narrow(value);
}

DWORD EstimatedSize() {
  DWORD kilobytes = 0;
  auto size = static_cast<DWORD>(sizeof kilobytes);
  ::RegGetValueW(HKEY_CURRENT_USER, UninstallKey().c_str(), L"EstimatedSize", RRF_RT_REG_DWORD, nullptr,
                 &kilobytes, &size);
  return kilobytes;
}

// The first refresh has ended once the icon it converts is beside the program; options ticked
// during it are ignored.
void StartAndWaitForTheFirstIcon(WethrixDriver& wethrix) {
  wethrix.Start();
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(InstallFolder() / "CurTemp.ico"); }));
}

bool UninstallKeyExists() {
  HKEY key = nullptr;
  const std::wstring name = UninstallKey();
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  const win32::unique_hkey owned(key);
  return true;
}

// Runs a command line and waits for its process to end; its exit code.
DWORD RunAndWait(std::wstring command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
    ADD_FAILURE() << "cannot start " << win32::Narrow(command_line);
    return ~DWORD{0};
  }
  const win32::unique_kernel_handle process(info.hProcess);
  const win32::unique_kernel_handle thread(info.hThread);
  EXPECT_EQ(::WaitForSingleObject(process.get(), 120000), WAIT_OBJECT_0) << win32::Narrow(command_line);
  DWORD code = 0;
  ::GetExitCodeProcess(process.get(), &code);
  return code;
}

// `switches` as winget passes them: /D= comes last and unquoted, even with blanks in the path.
void InstallSilently(const wchar_t* setup_variable, const std::wstring& switches = L"/S") {
  ASSERT_EQ(RunAndWait(L"\"" + EnvironmentVariable(setup_variable) + L"\" " + switches), 0U);
}

// The uninstaller hands over to a copy of itself and returns at once, so this waits for its work.
void UninstallSilently(const fs::path& folder = InstallFolder()) {
  const auto command = UninstallValue(L"QuietUninstallString");
  if (!command) {
    ADD_FAILURE() << "no QuietUninstallString";
    return;
  }
  ASSERT_EQ(RunAndWait(win32::Widen(*command)), 0U);
  ASSERT_TRUE(WaitUntil([&] { return !UninstallKeyExists() && !fs::exists(folder / "Uninstall.exe"); }, 60s));
}

std::string FileVersion(const fs::path& file) {
  DWORD ignored = 0;
  std::vector<BYTE> data(::GetFileVersionInfoSizeW(file.c_str(), &ignored));
  if (data.empty() || !::GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) {
    return "no version";
  }
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length)) return "no version";
  std::string version = std::to_string(HIWORD(info->dwProductVersionMS));
  version.append(".").append(std::to_string(LOWORD(info->dwProductVersionMS)));
  version.append(".").append(std::to_string(HIWORD(info->dwProductVersionLS)));
  return version;
}

class ReleaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::Clear();
    settings::Set(L"APIKey", EnvironmentVariable(L"WETHRIX_STANDIN_KEY"));
  }
  const std::string version_ = win32::Narrow(EnvironmentVariable(L"WETHRIX_VERSION"));
};

TEST_F(ReleaseTest, TheZipAndTheInstallerCarryTheProjectVersion) {
  EXPECT_EQ(FileVersion(EnvironmentVariable(L"WETHRIX_ZIP_EXE")), version_);
  EXPECT_EQ(FileVersion(EnvironmentVariable(L"WETHRIX_SETUP")), version_);
}

TEST_F(ReleaseTest, InstallUseUpgradeAndUninstallKeepOnlyTheSettings) {
  InstallSilently(L"WETHRIX_SETUP");
  const fs::path program = InstallFolder() / "Wethrix.exe";
  EXPECT_TRUE(fs::exists(program));
  EXPECT_TRUE(fs::exists(Shortcut()));
  EXPECT_EQ(UninstallValue(L"DisplayName"), ManifestEntry(L"DisplayName"));
  EXPECT_EQ(UninstallValue(L"DisplayVersion"), ManifestEntry(L"DisplayVersion"));
  EXPECT_EQ(UninstallValue(L"DisplayVersion"), version_);
  EXPECT_EQ(UninstallValue(L"Publisher"), ManifestEntry(L"Publisher"));
  EXPECT_EQ(UninstallValue(L"DisplayIcon"), win32::Narrow(program.wstring()));
  EXPECT_TRUE(UninstallValue(L"UninstallString"));
  EXPECT_GT(EstimatedSize(), 0U);

  {
    WethrixDriver wethrix(WethrixDriver::InPlace{}, InstallFolder());
    StartAndWaitForTheFirstIcon(wethrix);
    EXPECT_TRUE(WaitUntil([&] {
      return wethrix.Text("Label2").starts_with("The current temperature in San Diego is 61");
    })) << wethrix.Text("Label2");
    wethrix.Click("Check3");
    const std::string quoted = win32::Narrow(L"\"" + program.wstring() + L"\"");
    EXPECT_TRUE(WaitUntil([&] { return run_key::Get(kRunValueName) == quoted; }))
        << run_key::Get(kRunValueName).value_or("none");
    wethrix.Click("Option5");
    EXPECT_TRUE(WaitUntil([] { return settings::Get(L"Option5") == "1"; }));
    ASSERT_TRUE(wethrix.CloseAndWait());
  }
  const auto run_value = run_key::Get(kRunValueName);

  InstallSilently(L"WETHRIX_SETUP_NEXT");
  EXPECT_EQ(UninstallValue(L"DisplayVersion"), win32::Narrow(EnvironmentVariable(L"WETHRIX_NEXT_VERSION")));
  EXPECT_EQ(settings::Get(L"Option5"), "1");
  EXPECT_EQ(run_key::Get(kRunValueName), run_value);

  fs::create_directories(ImagesFolder());
  std::ofstream(ImagesFolder() / "CurTemp.ico") << "icon";
  UninstallSilently();
  EXPECT_FALSE(fs::exists(InstallFolder()));
  EXPECT_FALSE(fs::exists(Shortcut()));
  EXPECT_FALSE(fs::exists(ImagesFolder()));
  EXPECT_FALSE(run_key::Get(kRunValueName));
  EXPECT_EQ(settings::Get(L"Option5"), "1");
}

TEST_F(ReleaseTest, ASilentInstallIntoAChosenFolderIsUninstalledFromThere) {
  const fs::path folder = KnownFolder(CSIDL_LOCAL_APPDATA) / "Chosen Folder" / "Wethrix";
  InstallSilently(L"WETHRIX_SETUP", L"/S /D=" + folder.wstring());
  EXPECT_TRUE(fs::exists(folder / "Wethrix.exe"));
  EXPECT_FALSE(fs::exists(InstallFolder()));
  EXPECT_EQ(UninstallValue(L"InstallLocation"), win32::Narrow(folder.wstring()));
  EXPECT_EQ(UninstallValue(L"DisplayIcon"), win32::Narrow((folder / "Wethrix.exe").wstring()));

  // The images a run leaves beside the program.
  std::ofstream(folder / "CurTemp.bmp") << "bitmap";
  std::ofstream(folder / "CurTemp.ico") << "icon";
  UninstallSilently(folder);
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_FALSE(fs::exists(Shortcut()));
}

// Wine starts no program from such a folder, so the installed copy is not run, and the key and
// the files are removed here.
TEST_F(ReleaseTest, ASilentInstallIntoAFolderPastTwoHundredAndSixtyCharactersPutsItAllThere) {
  const fs::path folder =
      KnownFolder(CSIDL_LOCAL_APPDATA) / std::wstring(120, L'p') / std::wstring(120, L'q');
  InstallSilently(L"WETHRIX_SETUP", L"/S /D=" + folder.wstring());
  ASSERT_GT((folder / "Wethrix.exe").native().size(), 260U);
  EXPECT_EQ(fs::file_size(folder / "Wethrix.exe"), fs::file_size(EnvironmentVariable(L"WETHRIX_ZIP_EXE")));
  EXPECT_TRUE(fs::exists(folder / "Uninstall.exe"));
  EXPECT_EQ(UninstallValue(L"InstallLocation"), win32::Narrow(folder.wstring()));
  EXPECT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, UninstallKey().c_str()), ERROR_SUCCESS);
  fs::remove(Shortcut());
  test_support::RemoveTree(folder.parent_path());
}

TEST_F(ReleaseTest, InstallingOverARunningWethrixClosesItFirst) {
  InstallSilently(L"WETHRIX_SETUP");
  WethrixDriver wethrix(WethrixDriver::InPlace{}, InstallFolder());
  StartAndWaitForTheFirstIcon(wethrix);
  ASSERT_TRUE(fs::exists(ConverterFile()));

  InstallSilently(L"WETHRIX_SETUP");
  EXPECT_TRUE(WaitUntil([&] { return !wethrix.Running(); }));
  EXPECT_EQ(wethrix.ExitCode(), 0U) << "closed as by its close box, not ended by force";
  EXPECT_FALSE(fs::exists(ConverterFile()));
  UninstallSilently();
}

}  // namespace
}  // namespace wethrix::acceptance
