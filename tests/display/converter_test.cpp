#include "display/converter.hpp"

#include <gtest/gtest.h>

#include "display/patient_files.hpp"
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
      {R"(C:\Temp)", R"(C:\Temp\nconvert.exe)"},
      {R"(C:\Temp\)", R"(C:\Temp\nconvert.exe)"},
      {R"(C:\)", R"(C:\nconvert.exe)"},
      {"C:\\Users\\J\xC3\xBCrgen\\Temp", "C:\\Users\\J\xC3\xBCrgen\\Temp\\nconvert.exe"},
      {std::nullopt, R"(C:\Windows\Temp\nconvert.exe)"},
      {"", R"(C:\Windows\Temp\nconvert.exe)"},
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
  ConverterFileTest() { events_.clock = &clock_; }
  const std::string path_ = "C:\\Temp\\nconvert.exe";
  const Bytes converter_{'M', 'Z', 1, 2, 3};
  fakes::FakeFileSystem files_;
  fakes::FakeClock clock_;
  fakes::FakeEventPump events_;
  PatientFiles patient_{files_, events_, clock_};
};

TEST_F(ConverterFileTest, ExtractionKeepsOnlyAnIdenticalFileAndReplacesAnythingElse) {
  struct Case {
    const char* what = nullptr;
    std::optional<Bytes> existing;
    bool written = false;
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
      ExtractConverter(patient_, events_, converter_, path_);
    } catch (const AppError&) {
      wrote = true;
    }
    EXPECT_EQ(wrote, c.written) << c.what;
    files_.read_only_folders.clear();
    ExtractConverter(patient_, events_, converter_, path_);
    EXPECT_EQ(files_.files.at(path_), converter_) << c.what;
    EXPECT_FALSE(files_.IsHeld(path_)) << c.what;
  }
  EXPECT_EQ(events_.Passes(), 2 * static_cast<int>(std::size(cases)));
}

TEST_F(ConverterFileTest, AConverterDeletedSinceStartUpIsWrittenAgainAndHeldWithoutPumping) {
  ExtractConverter(patient_, events_, converter_, path_);
  DeleteConverter(files_, path_);
  EXPECT_FALSE(files_.Exists(path_));
  DeleteConverter(files_, path_);

  const std::unique_ptr<HeldFile> held = HoldConverter(patient_, converter_, path_);
  EXPECT_EQ(files_.files.at(path_), converter_);
  EXPECT_TRUE(files_.IsHeld(path_));
  EXPECT_EQ(events_.Passes(), 1);
}

// A file system that refuses as in use this many times, and what the patient caller makes of it.
TEST(PatientFilesTest, ARefusalAsInUseIsTriedAgainForAboutTwoSecondsAndNothingElseIs) {
  struct Case {
    const char* what;
    int refusals;
    bool done;
  };
  const Case cases[] = {
      {"free", 0, true},
      {"held a moment", 3, true},
      {"held for good", fakes::FakeFileSystem::kInUseForGood, false},
  };
  for (const Case& c : cases) {
    fakes::FakeFileSystem files;
    fakes::FakeClock clock;
    fakes::FakeEventPump events;
    events.clock = &clock;
    PatientFiles patient(files, events, clock);
    if (c.refusals > 0) files.in_use["C:\\a.bmp"] = c.refusals;
    const auto start = clock.Now();
    bool done = true;
    try {
      patient.Write("C:\\a.bmp", Bytes{1});
    } catch (const AppError& error) {
      EXPECT_EQ(error.Number(), error_number::kFileInUse) << c.what;
      done = false;
    }
    EXPECT_EQ(done, c.done) << c.what;
    if (c.done) {
      EXPECT_EQ(files.refusals, c.refusals) << c.what;
    }
    EXPECT_LE(clock.Now() - start, kFilePatience) << c.what;
    EXPECT_EQ(clock.Now() - start >= kFilePatience, !c.done) << c.what;
    EXPECT_GE(events.Passes(), files.refusals) << c.what << ": events run while it waits";
  }

  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  fakes::FakeEventPump events;
  events.clock = &clock;
  PatientFiles patient(files, events, clock);
  files.read_only_folders.emplace_back("C:");
  EXPECT_THROW(patient.Write("C:\\a.bmp", Bytes{1}), AppError);
  EXPECT_THROW(static_cast<void>(patient.Read("C:\\missing.ico")), AppError);
  EXPECT_EQ(clock.Now(), std::chrono::steady_clock::time_point{}) << "a lasting failure is told at once";
}

}  // namespace
}  // namespace wethrix
