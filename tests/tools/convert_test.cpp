#include "tools/nconvert/convert.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

#include "image/bitmap_reader.hpp"
#include "image/icon_writer.hpp"
#include "tests/image/bitmap_builder.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::nconvert {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ConverterCommandLineTest, AcceptsOnlyTheIconConversion) {
  const auto conversion = ParseCommandLine(std::vector<std::string>{"-out", "ico", "dir/CurTemp.bmp"});
  ASSERT_TRUE(conversion);
  EXPECT_EQ(conversion->bitmap, "dir/CurTemp.bmp");
  EXPECT_EQ(conversion->icon, "dir/CurTemp.ico");
  const std::pair<const char*, const char*> icons[] = {
      {"CurTemp", "CurTemp.ico"}, {"a.b\\CurTemp", "a.b\\CurTemp.ico"}, {".bmp", ".bmp.ico"}};
  for (const auto& [bitmap, icon] : icons) {
    EXPECT_EQ(ParseCommandLine(std::vector<std::string>{"-out", "ico", bitmap})->icon, icon) << bitmap;
  }

  const std::vector<std::string> refused[] = {{},
                                              {"-out", "ico"},
                                              {"-out", "png", "a.bmp"},
                                              {"-in", "ico", "a.bmp"},
                                              {"-out", "ico", "a.bmp", "b.bmp"},
                                              {"-out", "ico", ""}};
  for (const auto& arguments : refused) EXPECT_FALSE(ParseCommandLine(arguments)) << arguments.size();
}

// Each test works in a folder of its own whose name is not plain ASCII.
class ConverterRunTest : public ::testing::Test {
 protected:
  ExitCode Convert(const fs::path& bitmap) {
    errors_.clear();
    return RunConverter(std::vector<std::string>{"-out", "ico", Utf8(bitmap)}, errors_);
  }
  [[nodiscard]] std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  const wethrix::test_support::TempFolder temp_{u8"nconvert-test-Z\u00FCrich"};
  const fs::path& folder_ = temp_.Path();
  std::string errors_;
};

TEST_F(ConverterRunTest, WritesTheIconBesideTheBitmapAndReplacesAnOlderOne) {
  const fs::path bitmap = folder_ / "CurTemp.bmp";
  const fs::path icon = folder_ / "CurTemp.ico";
  WriteFile(icon, {1, 2, 3});
  for (const unsigned colours : {2U, 3U}) {
    const Bytes bytes =
        imaging::test_support::BuildBitmap(imaging::test_support::Pattern(32, 33, colours), 24);
    WriteFile(bitmap, bytes);
    ASSERT_EQ(Convert(bitmap), ExitCode::kConverted) << errors_;
    EXPECT_EQ(ReadFile(icon), imaging::WriteIcon(imaging::ReadBitmap(bytes)));
  }
  EXPECT_EQ(errors_, "");
  EXPECT_EQ(FilesInFolder(), 2U);  // no temporary file left behind
}

TEST_F(ConverterRunTest, FailuresSayWhyOnOneLineAndKeepTheOlderIcon) {
  const fs::path bitmap = folder_ / "CurTemp.bmp";
  const fs::path icon = folder_ / "CurTemp.ico";
  const Bytes older{1, 2, 3};
  WriteFile(icon, older);
  struct Case {
    const char* what;
    Bytes bitmap;  // empty: no bitmap file at all
    ExitCode expected;
    const char* message;
  };
  const Case cases[] = {
      {"missing", {}, ExitCode::kBadBitmap, "cannot convert"},
      {"not a bitmap", {'G', 'I', 'F', '8', '9', 'a'}, ExitCode::kBadBitmap, "does not start with \"BM\""},
      {"too large for an icon",
       imaging::test_support::BuildBitmap(imaging::test_support::Pattern(300, 1, 2), 1), ExitCode::kBadBitmap,
       "256 pixels"},
  };
  for (const Case& c : cases) {
    fs::remove(bitmap);
    if (!c.bitmap.empty()) WriteFile(bitmap, c.bitmap);
    EXPECT_EQ(Convert(bitmap), c.expected) << c.what;
    const std::string& line = errors_;
    EXPECT_EQ(line.rfind("nconvert: ", 0), 0U) << line;
    EXPECT_NE(line.find(c.message), std::string::npos) << line;
    EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
    EXPECT_EQ(ReadFile(icon), older) << c.what;
  }
}

TEST_F(ConverterRunTest, AnUnwritableIconIsReportedAndLeavesNothingBehind) {
  const fs::path bitmap = folder_ / "CurTemp.bmp";
  WriteFile(bitmap, imaging::test_support::BuildBitmap(imaging::test_support::Pattern(4, 4, 2), 1));
  fs::create_directory(folder_ / "CurTemp.ico");  // nothing can replace a folder
  EXPECT_EQ(Convert(bitmap), ExitCode::kCannotWrite);
  EXPECT_NE(errors_.find("cannot write"), std::string::npos) << errors_;
  EXPECT_EQ(FilesInFolder(), 2U);
}

TEST_F(ConverterRunTest, APathPastTwoHundredAndSixtyCharactersIsNoObstacle) {
  const fs::path folder = folder_ / std::string(120, 'p') / std::string(120, 'q');
  fs::create_directories(folder);
  const fs::path bitmap = folder / "CurTemp.bmp";
  ASSERT_GT(bitmap.native().size(), 260U);
  const Bytes bytes = imaging::test_support::BuildBitmap(imaging::test_support::Pattern(32, 33, 2), 24);
  WriteFile(bitmap, bytes);
  ASSERT_EQ(Convert(bitmap), ExitCode::kConverted) << errors_;
  EXPECT_EQ(ReadFile(folder / "CurTemp.ico"), imaging::IconFileOfBitmapFile(bytes));
}

#ifdef _WIN32
// A scanner holds the icon for a moment, as a file it just saw written: the converter waits. The
// hold lasts half a second, a stimulus rather than a wait for a state: the converter reaches the
// replace at once, so one without patience fails here every time.
TEST_F(ConverterRunTest, AMomentsHoldOnTheIconIsWaitedOut) {
  const fs::path bitmap = folder_ / "CurTemp.bmp";
  const fs::path icon = folder_ / "CurTemp.ico";
  const Bytes bytes = imaging::test_support::BuildBitmap(imaging::test_support::Pattern(8, 8, 2), 24);
  WriteFile(bitmap, bytes);
  WriteFile(icon, {1, 2, 3});
  const HANDLE held =
      ::CreateFileW(icon.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread letting_go([held] {
    std::this_thread::sleep_for(std::chrono::milliseconds{500});
    ::CloseHandle(held);
  });
  EXPECT_EQ(Convert(bitmap), ExitCode::kConverted) << errors_;
  letting_go.join();
  EXPECT_EQ(ReadFile(icon), imaging::IconFileOfBitmapFile(bytes));
}
#endif

TEST(ConverterUsageTest, ABadCommandLineShowsTheUsage) {
  std::string errors;
  EXPECT_EQ(RunConverter(std::vector<std::string>{"CurTemp.bmp"}, errors), ExitCode::kBadCommandLine);
  EXPECT_EQ(errors, "nconvert: usage: nconvert -out ico <bitmap file>\n");
}

}  // namespace
}  // namespace wethrix::nconvert
