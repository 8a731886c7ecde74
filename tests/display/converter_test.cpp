#include "display/converter.hpp"

#include <gtest/gtest.h>

#include "platform/errors.hpp"
#include "platform/fakes/fake_services.hpp"

namespace wethrix {
namespace {

TEST(ConverterPathTest, UsesTempOrElseTheSystemTemporaryFolder) {
  struct Case {
    std::optional<std::string> temp;
    std::string expected;
  };
  const Case cases[] = {
      {"C:\\Temp", "C:\\Temp\\nconvert.exe"},
      {"C:\\Temp\\", "C:\\Temp\\nconvert.exe"},
      {"C:\\", "C:\\nconvert.exe"},
      {"C:\\Users\\J\xC3\xBCrgen\\Temp", "C:\\Users\\J\xC3\xBCrgen\\Temp\\nconvert.exe"},
      {std::nullopt, "C:\\Windows\\Temp\\nconvert.exe"},
      {"", "C:\\Windows\\Temp\\nconvert.exe"},
  };
  for (const Case& c : cases) {
    fakes::FakeEnvironment environment;
    environment.variables.erase("TEMP");
    if (c.temp) environment.variables["TEMP"] = *c.temp;
    EXPECT_EQ(ConverterPath(environment), c.expected) << c.temp.value_or("(unset)");
  }
}

TEST(ConverterCommandLineTest, QuotesBothPaths) {
  EXPECT_EQ(ConverterCommandLine("C:\\Temp\\nconvert.exe", "C:\\Program Files\\Wethrix\\CurTemp.bmp"),
            "\"C:\\Temp\\nconvert.exe\" -out ico \"C:\\Program Files\\Wethrix\\CurTemp.bmp\"");
}

TEST(ConverterBytesTest, ComeFromTheProgramsCustomResource101) {
  fakes::FakeEnvironment environment;
  EXPECT_EQ(ConverterBytes(environment), environment.converter);
}

class ConverterFileTest : public ::testing::Test {
 protected:
  const std::string path_ = "C:\\Temp\\nconvert.exe";
  const Bytes converter_{'M', 'Z', 1, 2, 3};
  fakes::FakeFileSystem files_;
  fakes::FakeEventPump events_;
};

TEST_F(ConverterFileTest, ExtractionKeepsOnlyAnIdenticalFileAndReplacesAnythingElse) {
  struct Case {
    const char* what;
    std::optional<Bytes> existing;
    bool written;
  };
  const Case cases[] = {
      {"absent", std::nullopt, true},
      {"identical", converter_, false},
      {"different", Bytes{'M', 'Z', 6, 6, 6}, true},
      {"longer", Bytes{'M', 'Z', 1, 2, 3, 4}, true},
      {"empty", Bytes{}, true},
  };
  for (const Case& c : cases) {
    files_.files.clear();
    if (c.existing) files_.files[path_] = *c.existing;
    // A write into a read-only folder throws, which tells whether extraction wrote.
    files_.read_only_folders = {"C:\\Temp"};
    bool wrote = false;
    try {
      ExtractConverter(files_, events_, converter_, path_);
    } catch (const AppError&) {
      wrote = true;
    }
    EXPECT_EQ(wrote, c.written) << c.what;
    files_.read_only_folders.clear();
    ExtractConverter(files_, events_, converter_, path_);
    EXPECT_EQ(files_.files.at(path_), converter_) << c.what;
  }
  EXPECT_EQ(events_.Passes(), 2 * static_cast<int>(std::size(cases)));
}

TEST_F(ConverterFileTest, AConverterDeletedSinceStartUpIsWrittenAgainWithoutPumping) {
  ExtractConverter(files_, events_, converter_, path_);
  DeleteConverter(files_, path_);
  EXPECT_FALSE(files_.Exists(path_));
  DeleteConverter(files_, path_);

  EnsureConverter(files_, converter_, path_);
  EXPECT_EQ(files_.files.at(path_), converter_);
  EXPECT_EQ(events_.Passes(), 1);
}

}  // namespace
}  // namespace wethrix
