// The Win32 file system and environment services against the real system.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "platform/errors.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/environment.hpp"
#include "platform/win32/services/file_system.hpp"
#include "platform/win32/services/wide.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::win32 {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The number of the AppError `action` throws, 0 when it throws none.
int ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const AppError& error) {
    return error.Number();
  }
  return 0;
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  [[nodiscard]] std::size_t Entries() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(temp_.Path()),
                                                  std::filesystem::directory_iterator()));
  }
  Win32FileSystem files_;
  test_support::TempFolder temp_{u8"wethrix-files-\u65E5\u672C"};
};

TEST_F(Win32FileSystemTest, WriteCreatesAndReplacesWholeFilesLeavingNothingElse) {
  const std::string path = temp_.Utf8(u8"Z\u00FCrich \U0001F321.bin");
  EXPECT_FALSE(files_.Exists(path));
  EXPECT_EQ(ErrorOf([&] { static_cast<void>(files_.Read(path)); }), error_number::kFileNotFound);

  files_.Write(path, {1, 2, 3, 4});
  EXPECT_EQ(files_.Read(path), (Bytes{1, 2, 3, 4}));
  files_.Write(path, {9});
  EXPECT_EQ(files_.Read(path), (Bytes{9}));
  files_.Write(path, {});
  EXPECT_EQ(files_.Read(path), Bytes{});
  EXPECT_TRUE(files_.Exists(path));
  EXPECT_EQ(Entries(), 1U);

  EXPECT_THROW(files_.Write(temp_.Utf8(u8"no such folder\\a.bin"), {1}), AppError);
  EXPECT_EQ(Entries(), 1U);
}

// Open without sharing deletion, as a scanner or a running program holds a file, it cannot be
// replaced for now: in use, which is worth another try. Read-only, or a folder in its place, it
// refuses for good.
TEST_F(Win32FileSystemTest, AFailedReplaceKeepsTheOldFileAndTellsAFileInUseFromARefusalForGood) {
  const std::string path = temp_.Utf8(u8"locked.bin");
  files_.Write(path, {1});
  {
    const unique_file_handle held(::CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(ErrorOf([&] { files_.Write(path, {2}); }), error_number::kFileInUse);
    const unique_file_handle exclusive(::CreateFileW(Widen(temp_.Utf8(u8"exclusive.bin")).c_str(),
                                                     GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(exclusive);
    EXPECT_EQ(ErrorOf([&] { static_cast<void>(files_.Read(temp_.Utf8(u8"exclusive.bin"))); }),
              error_number::kFileInUse);
    // Held as well, since Wine, run as root, replaces a read-only file that nothing holds.
    ASSERT_TRUE(::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
    const int error = ErrorOf([&] { files_.Write(path, {2}); });
    EXPECT_NE(error, 0);
    EXPECT_NE(error, error_number::kFileInUse);
  }
  EXPECT_EQ(files_.Read(path), (Bytes{1}));
  EXPECT_EQ(Entries(), 2U);

  files_.CreateFolders(temp_.Utf8(u8"folder.bin"));
  const int error = ErrorOf([&] { files_.Write(temp_.Utf8(u8"folder.bin"), {3}); });
  EXPECT_NE(error, 0);
  EXPECT_NE(error, error_number::kFileInUse);
  EXPECT_EQ(Entries(), 3U);
}

// Held, a file can be read and run by others, but not written, replaced or deleted, so what its
// holder checked stays there. A file another program is writing cannot be held meanwhile.
TEST_F(Win32FileSystemTest, AHeldFileStaysAsCheckedAndComparesItsBytes) {
  const std::string path = temp_.Utf8(u8"held.bin");
  Bytes large(300000, 7);
  files_.Write(path, large);
  Bytes last_differs = large;
  last_differs.back() = 8;
  {
    const std::unique_ptr<HeldFile> held = files_.Hold(path);
    struct Case {
      const char* what;
      Bytes bytes;
      bool held;
    };
    const Case cases[] = {{"same", large, true},
                          {"last byte differs", last_differs, false},
                          {"shorter", Bytes(large.begin(), large.end() - 1), false},
                          {"longer", Bytes(large.size() + 1, 7), false},
                          {"same again", large, true}};
    for (const Case& c : cases) EXPECT_EQ(held->Holds(c.bytes), c.held) << c.what;

    EXPECT_EQ(files_.Read(path), large) << "others may read it";
    EXPECT_EQ(ErrorOf([&] { files_.Write(path, {1}); }), error_number::kFileInUse);
    EXPECT_FALSE(::DeleteFileW(Widen(path).c_str()));
    const unique_file_handle writer(
        ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(writer);
    EXPECT_TRUE(held->Holds(large));
  }
  const unique_file_handle writer(
      ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(writer);
  EXPECT_EQ(ErrorOf([&] { static_cast<void>(files_.Hold(path)); }), error_number::kFileInUse);
  EXPECT_EQ(ErrorOf([&] { static_cast<void>(files_.Hold(temp_.Utf8(u8"missing.bin"))); }),
            error_number::kFileNotFound);
}

int counted_closes = 0;
BOOL CountedClose(HANDLE /*handle*/) noexcept {
  ++counted_closes;
  return TRUE;
}

TEST(UniqueHandleTest, EachKindOfHandleHasItsOwnNoHandleWhichIsNeverClosed) {
  using counted_file = unique_handle<HANDLE, &CountedClose, &InvalidHandleValue>;
  using counted_kernel = unique_handle<HANDLE, &CountedClose>;
  {
    const counted_file no_file(INVALID_HANDLE_VALUE);
    const counted_kernel no_process(nullptr);
    const counted_file defaulted;
    EXPECT_FALSE(no_file);
    EXPECT_FALSE(no_process);
    EXPECT_FALSE(defaulted);
    EXPECT_FALSE(unique_file_handle(
        ::CreateFileW(L"Z:\\no such folder\\x", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
  }
  EXPECT_EQ(counted_closes, 0);
  { const counted_file file(::GetCurrentThread()); }
  EXPECT_EQ(counted_closes, 1);
}

TEST_F(Win32FileSystemTest, VisibleMeansAPlainFileThatIsNeitherHiddenNorSystem) {
  struct Case {
    const char8_t* name;
    DWORD attributes;
    bool visible;
  };
  const Case cases[] = {{u8"plain", FILE_ATTRIBUTE_NORMAL, true},
                        {u8"hidden", FILE_ATTRIBUTE_HIDDEN, false},
                        {u8"system", FILE_ATTRIBUTE_SYSTEM, false},
                        {u8"read-only", FILE_ATTRIBUTE_READONLY, true}};
  for (const Case& c : cases) {
    const std::string path = temp_.Utf8(c.name);
    files_.Write(path, {1});
    ASSERT_TRUE(::SetFileAttributesW(Widen(path).c_str(), c.attributes));
    EXPECT_TRUE(files_.Exists(path));
    EXPECT_EQ(files_.ExistsVisible(path), c.visible) << path;
    ASSERT_TRUE(::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL));
  }
  EXPECT_TRUE(files_.Exists(temp_.Utf8()));
  EXPECT_FALSE(files_.ExistsVisible(temp_.Utf8()));
}

TEST_F(Win32FileSystemTest, RemoveIsQuietAndFoldersAreCreatedWhole) {
  const std::string path = temp_.Utf8(u8"a.bin");
  files_.Write(path, {1});
  files_.Remove(path);
  EXPECT_FALSE(files_.Exists(path));
  files_.Remove(path);

  const std::string nested = temp_.Utf8(u8"Kestrivon\\Wethrix");
  EXPECT_FALSE(files_.CanWriteIn(nested));
  files_.CreateFolders(nested);
  files_.CreateFolders(nested);
  EXPECT_TRUE(files_.CanWriteIn(nested));
  EXPECT_TRUE(files_.CanWriteIn(temp_.Utf8() + "\\"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.Path() / "Kestrivon" / "Wethrix"),
                          std::filesystem::directory_iterator()),
            0);  // the probe is gone
}

// Without the system's long paths turned on, as the service marks its paths "\\?\" itself.
TEST_F(Win32FileSystemTest, PathsPastTwoHundredAndSixtyCharactersAreLikeAnyOther) {
  const std::string folder = temp_.Utf8() + "\\" + std::string(120, 'p') + "\\" + std::string(120, 'q');
  files_.CreateFolders(folder);
  EXPECT_TRUE(files_.CanWriteIn(folder));
  const std::string path = folder + "\\CurTemp.bmp";
  ASSERT_GT(path.size(), 260U);
  files_.Write(path, {1, 2});
  files_.Write(path, {3});
  EXPECT_EQ(files_.Read(path), Bytes{3});
  EXPECT_TRUE(files_.Hold(path)->Holds({3}));
  files_.Remove(path);
  EXPECT_FALSE(files_.Exists(path));
}

TEST(Win32EnvironmentTest, VariablesOfAnyLengthAndTextAndTheirAbsence) {
  const Win32Environment environment;
  const std::string long_value(1000, 'x');
  const std::string accented = "C:\\Users\\J\xC3\xBCrgen\\Temp";
  ASSERT_TRUE(::SetEnvironmentVariableW(L"WETHRIX_TEST_LONG", Widen(long_value).c_str()));
  ASSERT_TRUE(::SetEnvironmentVariableW(L"WETHRIX_TEST_ACCENTED", Widen(accented).c_str()));
  ASSERT_TRUE(::SetEnvironmentVariableW(L"WETHRIX_TEST_EMPTY", L""));
  EXPECT_EQ(environment.Variable("WETHRIX_TEST_LONG"), long_value);
  EXPECT_EQ(environment.Variable("WETHRIX_TEST_ACCENTED"), accented);
  EXPECT_EQ(environment.Variable("WETHRIX_TEST_EMPTY"), "");
  EXPECT_EQ(environment.Variable("WETHRIX_TEST_MISSING"), std::nullopt);
}

TEST(Win32EnvironmentTest, FoldersHaveNoTrailingBackslashAndExist) {
  const Win32Environment environment;
  const Win32FileSystem files;
  const std::string program = environment.ProgramPath();
  EXPECT_EQ(program, environment.ProgramFolder() + "\\win32_services_tests.exe");
  for (const std::string& folder :
       {environment.ProgramFolder(), environment.SystemTempFolder(), environment.LocalAppDataFolder()}) {
    EXPECT_NE(folder.back(), '\\') << folder;
    EXPECT_TRUE(files.Exists(folder)) << folder;
  }
}

TEST(Win32EnvironmentTest, ResourcesAndLocale) {
  const Win32Environment environment;
  EXPECT_THROW(static_cast<void>(environment.Resource("CUSTOM", 102)), AppError);
  const std::string separator = environment.DecimalSeparator();
  EXPECT_TRUE(separator == "." || separator == ",") << separator;
}

}  // namespace
}  // namespace wethrix::win32
