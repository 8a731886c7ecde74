// The real program on a PC that is not kind to it: other programs holding its files for a moment
// or for long, something else where its converter should be, stray messages from other programs,
// paths past 260 characters. What the tray shows is judged by the icon the notification area got,
// against the icon of the same reading shown before on a calm PC, and never by an icon's mere
// arrival.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/wide.hpp"
#include "tests/acceptance/bad_input_support.hpp"
#include "tests/acceptance/notification_area.hpp"
#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

constexpr char kPlace[] = "San Diego CA";
// Three readings of the place: 61, 81 and 41 degrees Fahrenheit.
constexpr double kSixtyOne = 289.15;
constexpr double kEightyOne = 300.15;
constexpr double kFortyOne = 278.15;

// Another program holding a file as a scanner or a sync client does: it reads, and lets others
// only read meanwhile, so the file can be neither written, replaced nor deleted.
class Holder {
 public:
  explicit Holder(const std::filesystem::path& file)
      : handle_(
            ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  [[nodiscard]] bool Holds() const { return static_cast<bool>(handle_); }
  void LetGo() { handle_.reset(); }

 private:
  win32::unique_file_handle handle_;
};

class HostilePc : public ::testing::Test {
 protected:
  static void Begin(const std::filesystem::path& folder) {
    settings::Clear();
    settings::Store(L"APIKey", TextValue("demo-key"));
    standin::SetKelvin(kPlace, kSixtyOne);
    area_ = std::make_unique<NotificationArea>();
    wethrix_ = std::make_unique<WethrixDriver>(folder);
    wethrix_->Start();
  }

  static void End() {
    wethrix_.reset();
    area_.reset();
    settings::Clear();
  }

  void SetUp() override { ASSERT_TRUE(wethrix_ && wethrix_->Running()) << "the session's program is gone"; }

  void TearDown() override {
    EXPECT_EQ(wethrix_->MessageBoxTexts(), std::vector<std::string>{}) << "a box was left open";
    (void)wethrix_->DismissMessageBoxes();
  }

  static WethrixDriver& Wethrix() { return *wethrix_; }
  static std::string Tip() { return area_->TipOf(Wethrix().ProcessId()); }
  static std::optional<TrayPicture> Picture() { return area_->PictureOf(Wethrix().ProcessId()); }

  // The refresh of a tick at this temperature, with `meanwhile` done right behind the tick.
  static void TickAt(
      double kelvin, const std::function<void()>& meanwhile = [] {}) {
    standin::SetKelvin(kPlace, kelvin);
    const std::uint32_t count = Wethrix().FinishedRefreshes();
    Wethrix().TimerTick();
    meanwhile();
    EXPECT_TRUE(Wethrix().WaitForRefreshAfter(count, 40s)) << "no refresh finished, or a box came";
  }

  static void WaitForTheFirstReading() {
    ASSERT_TRUE(WaitUntil([] { return Wethrix().FinishedRefreshes() > 0; }, 40s));
    ASSERT_TRUE(WaitUntil([] { return Picture().has_value(); })) << "no icon reached the area";
  }

  // On a calm PC: the icon of the reading the tooltip tells, to judge the others by.
  static void Learn() { known_.Learn(*area_, Wethrix().ProcessId()); }
  static void ExpectTheIconTellsTheTip() { EXPECT_EQ(known_.Misreading(*area_, Wethrix().ProcessId()), ""); }

  static inline KnownIcons known_;  // kept across the suites
  static inline std::unique_ptr<NotificationArea> area_;
  static inline std::unique_ptr<WethrixDriver> wethrix_;
};

// ---------------------------------------------------------------------------------------------
// Files held by others and a converter that cannot run.

class HeldFiles : public HostilePc {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<test_support::TempFolder>(u8"wethrix hostile");
    Begin(folder_->Path());
  }
  static void TearDownTestSuite() {
    End();
    folder_.reset();
  }
  static std::filesystem::path Image(const char* name) { return Wethrix().Folder() / name; }

  static inline std::unique_ptr<test_support::TempFolder> folder_;
};

TEST_F(HeldFiles, OnACalmPcEachReadingHasAnIconOfItsOwn) {
  WaitForTheFirstReading();
  Learn();
  for (const double kelvin : {kEightyOne, kFortyOne}) {
    TickAt(kelvin);
    Learn();
  }
  ASSERT_EQ(known_.Count(), 3U) << "three readings, three tooltips";
  ExpectTheIconTellsTheTip();
}

// Each hold comes after another reading, so that only this refresh's own icon passes. It lasts a
// second from the tick on, a stimulus rather than a wait for a state: the refresh meets it at
// once (before the mend it gave a box there), and well within its patience.
TEST_F(HeldFiles, AMomentsHoldOnEitherImageIsWaitedOutOnATimerRefresh) {
  struct Case {
    const char* file;
    double before;
    double kelvin;
    const char* reading;
  };
  for (const Case& c : {Case{"CurTemp.bmp", kFortyOne, kSixtyOne, ", 61 "},
                        Case{"CurTemp.ico", kSixtyOne, kEightyOne, ", 81 "}}) {
    TickAt(c.before);
    Holder holder(Image(c.file));
    ASSERT_TRUE(holder.Holds()) << c.file;
    TickAt(c.kelvin, [&] {
      std::this_thread::sleep_for(1s);
      holder.LetGo();
    });
    EXPECT_TRUE(Wethrix().MessageBoxTexts().empty()) << "no box for a moment's hold on " << c.file;
    EXPECT_NE(Tip().find(c.reading), std::string::npos) << c.file << ": " << Tip();
    ExpectTheIconTellsTheTip();
  }
}

// Held longer than anyone waits, the converter cannot replace the icon file: the refresh makes
// the icon itself rather than show the one the file still holds.
TEST_F(HeldFiles, AnIconFileHeldForLongStillGivesTheTrayTheNewReading) {
  TickAt(kEightyOne);
  Holder holder(Image("CurTemp.ico"));
  ASSERT_TRUE(holder.Holds());
  TickAt(kFortyOne);
  holder.LetGo();
  EXPECT_NE(Tip().find(", 41 "), std::string::npos) << Tip();
  ExpectTheIconTellsTheTip();
}

TEST_F(HeldFiles, AFolderWhereTheConverterShouldBeStillGivesTheTrayTheNewReading) {
  TickAt(kFortyOne);
  const std::filesystem::path converter = ConverterFile();
  std::filesystem::remove(converter);
  std::filesystem::create_directory(converter);
  TickAt(kSixtyOne);
  EXPECT_NE(Tip().find(", 61 "), std::string::npos) << Tip();
  ExpectTheIconTellsTheTip();

  std::filesystem::remove(converter);
  TickAt(kEightyOne);
  EXPECT_TRUE(std::filesystem::is_regular_file(converter)) << "written again once it can be";
  ExpectTheIconTellsTheTip();
}

// Careless programs broadcast messages to every window, and others send whatever they like.
TEST_F(HeldFiles, StrayMessagesFromAnotherProgramChangeNothing) {
  TickAt(kSixtyOne);
  const HWND main = Wethrix().MainWindow();
  const HWND tray = Wethrix().TrayWindow();
  ASSERT_NE(tray, nullptr);
  RECT before{};
  ::GetWindowRect(main, &before);
  const std::wstring label2 = win32::Widen(Wethrix().Text("Label2"));
  Wethrix().Minimize();
  ASSERT_TRUE(WaitUntil([main] { return !::IsWindowVisible(main); }));

  for (UINT message = WM_APP; message < WM_APP + 0x40; ++message) {
    for (const HWND window : {main, tray}) {
      ::PostMessageW(window, message, 0x7A7A, 0x12345678);
      ::PostMessageW(window, message, 0, 0x5A5A5A5A);
    }
  }
  for (const HWND window : {main, tray}) {
    ::PostMessageW(window, 0x465, 0x7A7A, WM_LBUTTONUP);  // the tray's callback, for an icon not ours
    ::PostMessageW(window, WM_TIMER, 0x7A7A, 0x12345678);
    ::PostMessageW(window, WM_TIMER, 1, 0x12345678);
  }
  RECT wild{-40000, -40000, 40000, 40000};
  DWORD_PTR ignored = 0;
  for (const WPARAM dpi : {MAKEWPARAM(0, 0), MAKEWPARAM(192, 192), MAKEWPARAM(96, 96)}) {
    ::SendMessageTimeoutW(main, WM_DPICHANGED, dpi, reinterpret_cast<LPARAM>(&wild), SMTO_ABORTIFHUNG, 5000,
                          &ignored);
  }
  // A pointer into this process, which the program must not follow.
  NMHDR notice{main, 0, static_cast<UINT>(NM_CUSTOMDRAW)};
  ::SendMessageTimeoutW(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
  ::SendMessageTimeoutW(main, WM_SETTINGCHANGE, 0x7A7A, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  COPYDATASTRUCT junk{0x7A7A, 4, &wild};
  ::SendMessageTimeoutW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&junk), SMTO_ABORTIFHUNG, 5000,
                        &ignored);

  ASSERT_TRUE(Wethrix().RoundTrip()) << "the window still answers";
  EXPECT_FALSE(::IsWindowVisible(main)) << "nothing brought it back";
  TickAt(kFortyOne);
  EXPECT_NE(Tip().find(", 41 "), std::string::npos) << "it still refreshes: " << Tip();
  ExpectTheIconTellsTheTip();
  Wethrix().TrayMessage(WM_LBUTTONUP);
  ASSERT_TRUE(WaitUntil([main] { return ::IsWindowVisible(main) != FALSE; }));
  RECT after{};
  ::GetWindowRect(main, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left) << "no layout for another DPI";
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_NE(win32::Widen(Wethrix().Text("Label2")), label2);
}

TEST_F(HeldFiles, EndsAsEver) {
  ASSERT_TRUE(Wethrix().CloseAndWait());
  EXPECT_EQ(Wethrix().ExitCode(), 0U);
}

// ---------------------------------------------------------------------------------------------
// A first start with something else where the converter should be: start-up says so, and the
// tray still shows the reading, where it got no icon at all.

class NoConverterFromTheStart : public HostilePc {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<test_support::TempFolder>(u8"wethrix no converter");
    converter_ = std::filesystem::path(EnvironmentVariable(L"TEMP")) / "nconvert.exe";
    std::filesystem::remove(converter_);
    std::filesystem::create_directory(converter_);
    Begin(folder_->Path());
  }
  static void TearDownTestSuite() {
    End();
    std::filesystem::remove(converter_);
    folder_.reset();
  }

  static inline std::filesystem::path converter_;
  static inline std::unique_ptr<test_support::TempFolder> folder_;
};

TEST_F(NoConverterFromTheStart, StartUpTellsOfTheConverterAndTheTrayShowsTheReading) {
  const auto boxes = DismissApplicationErrors(Wethrix(), 1);
  ASSERT_EQ(boxes.size(), 1U);
  EXPECT_NE(boxes[0].find("Form1.Form_Load at line 172"), std::string::npos) << boxes[0];
  WaitForTheFirstReading();
  EXPECT_NE(Tip().find(", 61 "), std::string::npos) << Tip();
  ExpectTheIconTellsTheTip();
  ASSERT_TRUE(Wethrix().CloseAndWait());
}

// ---------------------------------------------------------------------------------------------
// A TEMP past 260 characters. Wine starts no program from such a path, so there the converter
// never runs and the refresh makes the icon itself; the program and the converter reading and
// writing such paths are shown by their own tests.

class LongTemp : public HostilePc {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<test_support::TempFolder>(u8"wethrix long");
    temp_ = folder_->Path() / std::wstring(120, L'p') / std::wstring(120, L'q');
    std::filesystem::create_directories(temp_);
    old_temp_ = EnvironmentVariable(L"TEMP");
    ::SetEnvironmentVariableW(L"TEMP", temp_.c_str());  // the program's, and its converter's
    Begin(folder_->Path() / "program");
  }
  static void TearDownTestSuite() {
    End();
    ::SetEnvironmentVariableW(L"TEMP", old_temp_.c_str());
    folder_.reset();
  }

  static inline std::unique_ptr<test_support::TempFolder> folder_;
  static inline std::filesystem::path temp_;
  static inline std::wstring old_temp_;
};

TEST_F(LongTemp, TheConverterIsWrittenThereAndTheTrayShowsTheReading) {
  ASSERT_GT(ConverterFile().native().size(), 260U);
  WaitForTheFirstReading();
  EXPECT_TRUE(Wethrix().MessageBoxTexts().empty());
  EXPECT_NE(Tip().find(", 61 "), std::string::npos) << Tip();
  ExpectTheIconTellsTheTip();
  EXPECT_TRUE(std::filesystem::exists(ConverterFile()));
  ASSERT_TRUE(Wethrix().CloseAndWait());
  EXPECT_FALSE(std::filesystem::exists(ConverterFile()));
}

}  // namespace
}  // namespace wethrix::acceptance
