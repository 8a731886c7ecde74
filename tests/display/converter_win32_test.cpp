// The converter, launch-and-wait and the file helpers against the real system.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "display/converter.hpp"
#include "display/patient_files.hpp"
#include "display/shell32.hpp"
#include "platform/errors.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/clock.hpp"
#include "platform/win32/services/environment.hpp"
#include "platform/win32/services/event_pump.hpp"
#include "platform/win32/services/file_system.hpp"
#include "platform/win32/services/process_launcher.hpp"
#include "platform/win32/services/wide.hpp"
#include "tests/image/bitmap_builder.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix {
namespace {

using namespace std::chrono_literals;
using win32::Widen;

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

class CountingEventPump final : public EventPump {
 public:
  void Pass(const Waitable* until) override {
    ++passes;
    if (on_pass) on_pass();
    inner_.Pass(until);
  }
  Wake WaitFor(const Waitable* thing, std::chrono::milliseconds limit) override {
    return inner_.WaitFor(thing, limit);
  }
  int passes = 0;
  std::function<void()> on_pass;  // runs in each pass, once it is counted

 private:
  win32::Win32EventPump inner_;
};

// A manual-reset event a child opens by the name on its command line: the test and the child
// wait for each other on it rather than on the time either takes to start.
struct NamedEvent {
  explicit NamedEvent(std::string_view purpose)
      : name("Local\\wethrix-" + std::string(purpose) + "-" + std::to_string(::GetCurrentProcessId())),
        handle(::CreateEventW(nullptr, TRUE, FALSE, Widen(name).c_str())) {}
  // Bounded, so that a child that never starts fails the test instead of holding it.
  [[nodiscard]] bool Wait() const { return ::WaitForSingleObject(handle.get(), 30000) == WAIT_OBJECT_0; }
  std::string name;
  win32::unique_kernel_handle handle;
};

class ConverterWin32Test : public ::testing::Test {
 protected:
  std::int32_t Run(const std::string& command_line, std::optional<int> style = 0,
                   std::chrono::milliseconds limit = Shell32::kTimeLimit) {
    return Shell32::RunAndWait({launcher_, events_, clock_}, command_line, style, limit);
  }
  [[nodiscard]] std::string Child(const std::string& arguments) const {
    return Quoted(environment_.ProgramFolder() + "\\test_child.exe") + " " + arguments;
  }
  [[nodiscard]] std::string Converter() const { return temp_.Utf8(u8"nconvert.exe"); }

  win32::Win32Environment environment_;
  win32::Win32FileSystem files_;
  win32::Win32ProcessLauncher launcher_;
  win32::SteadyClock clock_;
  CountingEventPump events_;
  PatientFiles patient_{files_, events_, clock_};
  test_support::TempFolder temp_{u8"wethrix-converter-\u00E9t\u00E9"};
};

TEST_F(ConverterWin32Test, TheCarriedConverterTurnsABitmapIntoAnIconTheSystemLoads) {
  ExtractConverter(patient_, events_, ConverterBytes(environment_), Converter());
  const imaging::Image picture = imaging::test_support::Pattern(32, 33, 5);
  const std::string bitmap = temp_.Utf8(u8"CurTemp.bmp");
  files_.Write(bitmap, imaging::test_support::BuildBitmap(picture, 24));

  ASSERT_EQ(Run(ConverterCommandLine(Converter(), bitmap)), 0);

  const win32::unique_hicon icon(static_cast<HICON>(
      ::LoadImageW(nullptr, Widen(temp_.Utf8(u8"CurTemp.ico")).c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
  ASSERT_TRUE(icon);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
  const win32::unique_hbitmap colour(info.hbmColor);
  const win32::unique_hbitmap mask(info.hbmMask);
  BITMAP size{};
  ASSERT_NE(::GetObjectW(colour.get(), sizeof(size), &size), 0);
  EXPECT_EQ(size.bmWidth, 32);
  EXPECT_EQ(size.bmHeight, 33);

  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -33, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(std::size_t{32} * 33);
  const win32::unique_hdc screen(::CreateCompatibleDC(nullptr));
  ASSERT_EQ(::GetDIBits(screen.get(), colour.get(), 0, 33, pixels.data(), &format, DIB_RGB_COLORS), 33);
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{31, 0}, std::pair{5, 32}}) {
    const imaging::Rgb& expected = picture.At(x, y);
    EXPECT_EQ(pixels[static_cast<std::size_t>(y * 32 + x)] & 0xFFFFFFU,
              std::uint32_t{expected.red} << 16U | std::uint32_t{expected.green} << 8U | expected.blue)
        << x << "," << y;
  }
}

TEST_F(ConverterWin32Test, AnUnreadableBitmapFailsTheConverterAndKeepsTheOlderIcon) {
  ExtractConverter(patient_, events_, ConverterBytes(environment_), Converter());
  const std::string icon = temp_.Utf8(u8"CurTemp.ico");
  files_.Write(icon, {1, 2, 3});
  files_.Write(temp_.Utf8(u8"CurTemp.bmp"), {'B', 'M', 0});
  EXPECT_GT(Run(ConverterCommandLine(Converter(), temp_.Utf8(u8"CurTemp.bmp"))), 0);
  EXPECT_EQ(files_.Read(icon), (Bytes{1, 2, 3}));
}

TEST_F(ConverterWin32Test, AMissingProgramFailsAtOnceWithFileNotFound) {
  EXPECT_EQ(Run(ConverterCommandLine(temp_.Utf8(u8"missing.exe"), "x.bmp")), -2147221504 + 53);
  EXPECT_EQ(Run(Quoted(temp_.Utf8(u8"no folder\\missing.exe"))), Shell32::kLaunchFailed + 53);
  EXPECT_EQ(events_.passes, 0);
}

TEST_F(ConverterWin32Test, TheChildGetsTheWindowStyle) {
  struct Case {
    std::optional<int> style;
    int expected = 0;
  };
  for (const Case& c : {Case{0, 0}, Case{std::nullopt, 6}, Case{-1, 6}, Case{7, 6}, Case{2, 2}}) {
    EXPECT_EQ(Run(Child("show-style"), c.style), c.expected) << c.style.value_or(-99);
  }
}

// The child ends only once the third pass tells it to, so waits that did not wake at the poll
// interval would never get there. Every pass but the first and the one after the end follows a
// wait that ran out, and so lasted the interval (half of it, allowing for the clocks' rounding):
// however busy the machine, no more passes fit in the run, where waits that did not wait make
// many more.
TEST_F(ConverterWin32Test, WaitsWakeAtThePollIntervalUntilTheProcessEnds) {
  const NamedEvent end("child-end");
  events_.on_pass = [&] {
    if (events_.passes == 3) ::SetEvent(end.handle.get());
  };
  const auto start = clock_.Now();
  EXPECT_EQ(Run(Child("exit-when-set " + end.name + " 42")), 42);
  const auto half_intervals = (clock_.Now() - start) / (Shell32::kPollInterval / 2);
  EXPECT_LE(events_.passes, half_intervals + 2);
}

TEST_F(ConverterWin32Test, AProcessThatNeverEndsIsEndedAtTheTimeLimit) {
  const std::string held = temp_.Utf8(u8"held.lock");
  const NamedEvent holding("child-holding");
  // The first pass waits until the child holds its file, so the limit cannot end it before it
  // has run, however long the system takes to start it.
  bool ran = false;
  events_.on_pass = [&] {
    if (events_.passes == 1) ran = holding.Wait();
  };
  EXPECT_EQ(Run(Child("forever " + Quoted(held) + " " + holding.name), 0, 1500ms), Shell32::kTimedOut);
  ASSERT_TRUE(ran) << "the child never ran";
  // Only an ended process has let go of the file it held exclusively.
  const win32::unique_file_handle file(
      ::CreateFileW(Widen(held).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file);
}

TEST_F(ConverterWin32Test, ExtractionWritesAnAbsentConverterKeepsAnIdenticalOneAndReplacesAnother) {
  const Bytes converter = ConverterBytes(environment_);
  ASSERT_GT(converter.size(), 2U);
  EXPECT_EQ(converter[0], 'M');
  EXPECT_EQ(converter[1], 'Z');

  ExtractConverter(patient_, events_, converter, Converter());
  EXPECT_EQ(files_.Read(Converter()), converter);

  {
    // An identical file is left alone: held open like a running program, it could not be replaced.
    const win32::unique_file_handle held(::CreateFileW(Widen(Converter()).c_str(), GENERIC_READ,
                                                       FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_NO_THROW(ExtractConverter(patient_, events_, converter, Converter()));
  }

  files_.Write(Converter(), {'M', 'Z', 'x'});
  ExtractConverter(patient_, events_, converter, Converter());
  EXPECT_EQ(files_.Read(Converter()), converter);

  DeleteConverter(files_, Converter());
  EXPECT_FALSE(Shell32::FileExists(files_, Converter()));
  DeleteConverter(files_, Converter());
  EXPECT_TRUE(HoldConverter(patient_, converter, Converter())->Holds(converter));
  EXPECT_EQ(files_.Read(Converter()), converter);
}

// What was checked is what starts: held, the converter cannot be swapped, yet it starts, and once
// it has, closing can delete its file.
TEST_F(ConverterWin32Test, TheHeldConverterStartsAndCannotBeSwappedUntilItHas) {
  const Bytes program = files_.Read(environment_.ProgramFolder() + "\\test_child.exe");
  std::unique_ptr<HeldFile> held = HoldConverter(patient_, program, Converter());
  EXPECT_THROW(files_.Write(Converter(), {'M', 'Z', 'x'}), AppError);
  EXPECT_EQ(Shell32::RunAndWait({launcher_, events_, clock_}, Quoted(Converter()) + " show-style", 2,
                                Shell32::kTimeLimit, std::move(held)),
            2);
  DeleteConverter(files_, Converter());
  EXPECT_FALSE(Shell32::FileExists(files_, Converter()));
}

TEST_F(ConverterWin32Test, StartingWhileAnotherInstanceRunsTheIdenticalConverterIsNoFailure) {
  const Bytes program = files_.Read(environment_.ProgramFolder() + "\\test_child.exe");
  ExtractConverter(patient_, events_, program, Converter());
  const NamedEvent holding("converter-running");
  const LaunchResult running = launcher_.Start(
      Quoted(Converter()) + " forever " + Quoted(temp_.Utf8(u8"held.lock")) + " " + holding.name, 0);
  ASSERT_TRUE(running.process);
  // Only a converter that has started holds its program file; before, no extraction could fail.
  EXPECT_TRUE(holding.Wait()) << "the converter never ran";
  EXPECT_NO_THROW(ExtractConverter(patient_, events_, program, Converter()));
  running.process->Terminate();
}

}  // namespace
}  // namespace wethrix
