// The refresh on the real main window under Wine: WinINet against the local weather stand-in,
// the carried converter, real files, and the tray records captured at the shell's door.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>

#include "app/error_trap.hpp"
#include "image/bitmap_reader.hpp"
#include "platform/fakes/fake_tray.hpp"
#include "platform/text.hpp"
#include "platform/win32/services/picture_loader.hpp"
#include "platform/win32/services/process_launcher.hpp"
#include "platform/win32/services/wininet_transfer.hpp"
#include "tests/form1/win32_refresh_rig.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::testing {
namespace {

constexpr std::string_view kHint =
    "API Key not found. Please click on 'Getting Started / Enter Your API Key' now.";
constexpr imaging::Rgb kRed{255, 0, 0};
constexpr imaging::Rgb kBlue{0, 0, 255};

// Counts requests, and those begun while another was still in flight.
class CountingTransfer final : public HttpTransfer {
 public:
  [[nodiscard]] bool Begin(const std::string& url, HttpTimeouts timeouts) override {
    ++begun;
    if (inner_.StillExecuting()) ++overlapping;
    return inner_.Begin(url, timeouts);
  }
  [[nodiscard]] bool StillExecuting() const override { return inner_.StillExecuting(); }
  [[nodiscard]] const Waitable& Finished() const override { return inner_.Finished(); }
  [[nodiscard]] bool Abandon() override { return inner_.Abandon(); }
  [[nodiscard]] HttpReply TakeReply() override { return inner_.TakeReply(); }
  int begun = 0;
  int overlapping = 0;

 private:
  win32::WinInetTransfer inner_;
};

// Runs window messages until `done` holds; false when `duration` ran out first.
bool PumpFor(std::chrono::milliseconds duration, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + duration;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return true;
}

class RefreshWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("WETHRIX_API_BASE") == nullptr) GTEST_SKIP() << "the stand-in is not running";
  }

  // Red digits on blue, so the colours can only have come from the stored settings.
  Win32RefreshRig& Load(std::map<std::string, std::string> settings = {}) {
    settings.emplace("Font Color", "255");
    settings.emplace("Background Color", "16711680");
    rig_ = std::make_unique<Win32RefreshRig>(folder_.Utf8(), RigServices{inet_, launcher_, pictures_, shell_},
                                             settings);
    rig_->environment.overrides["WETHRIX_REQUEST_GAP_MS"] = "0";  // refreshes here follow at once
    rig_->Load();
    shell_.sent.clear();
    return *rig_;
  }

  [[nodiscard]] std::vector<NotifyRecord> Sent(std::uint32_t flag) const {
    std::vector<NotifyRecord> found;
    for (const auto& sent : shell_.sent) {
      if (sent.message == kNimModify && (sent.record.uFlags & flag) != 0) found.push_back(sent.record);
    }
    return found;
  }

  [[nodiscard]] imaging::Image Bitmap() const {
    return imaging::ReadBitmap(rig_->files.Read(rig_->File("CurTemp.bmp")));
  }

  test_support::TempFolder folder_{u8"wethrix-refresh"};
  CountingTransfer inet_;
  win32::Win32ProcessLauncher launcher_;
  win32::Win32PictureLoader pictures_;
  fakes::FakeTrayShell shell_;
  std::unique_ptr<Win32RefreshRig> rig_;
};

// Leftmost column holding the digit colour, or -1.
int FirstColumnOf(const imaging::Image& image, imaging::Rgb color) {
  for (std::int32_t x = 0; x < image.width; ++x) {
    for (std::int32_t y = 0; y < image.height; ++y) {
      if (image.At(x, y) == color) return x;
    }
  }
  return -1;
}

TEST_F(RefreshWin32Test, OneRefreshReachesTheWindowTheFilesAndTheTray) {
  Win32RefreshRig& rig = Load();
  rig.form.ListTemp(true);

  EXPECT_EQ(rig.window.Label2(), "The current temperature in San Diego is 61 \u00B0F");
  EXPECT_EQ(rig.window.Text2(), "61 \u00B0F");
  EXPECT_EQ(rig.store.Get("Text2"), "61 \u00B0F");
  EXPECT_EQ(rig.tray.TrayTip(), "Wethrix\r\nSan Diego, 61 \u00B0F");
  ASSERT_FALSE(Sent(kNifTip).empty());
  EXPECT_EQ(FieldText(Sent(kNifTip).back().szTip), u"Wethrix\r\nSan Diego, 61 \u00B0F");

  const imaging::Image image = Bitmap();
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.height, 33);
  EXPECT_EQ(image.At(0, 0), kBlue);
  EXPECT_EQ(image.At(31, 32), kBlue);
  const int first_digit_column = FirstColumnOf(image, kRed);
  EXPECT_GE(first_digit_column, 0);
  EXPECT_LE(first_digit_column, 2);
  const Bytes bytes = rig.files.Read(rig.File("CurTemp.bmp"));
  EXPECT_EQ(bytes[38] | bytes[39] << 8, 3780) << "96 DPI horizontally";
  EXPECT_EQ(bytes[42] | bytes[43] << 8, 3780) << "96 DPI vertically";

  EXPECT_TRUE(rig.files.Exists(rig.File("CurTemp.ico")));
  ASSERT_EQ(Sent(kNifIcon).size(), 1U);
  EXPECT_NE(Sent(kNifIcon)[0].hIcon, 0U);
  EXPECT_EQ(rig.tray.TrayIcon()->Handle(), Sent(kNifIcon)[0].hIcon);
  ASSERT_EQ(Sent(kNifInfo).size(), 1U);
  EXPECT_EQ(FieldText(Sent(kNifInfo)[0].szInfo), u"San Diego, 61 \u00B0F");
  EXPECT_EQ(FieldText(Sent(kNifInfo)[0].szInfoTitle), u"Wethrix");
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

TEST_F(RefreshWin32Test, ARefusedKeyShowsNotAvailableAndABoxOnlyWhenNotSilent) {
  for (const bool silent : {true, false}) {
    Win32RefreshRig& rig = Load({{"APIKey", "wrong-key"}});
    rig.form.ListTemp(silent);
    EXPECT_EQ(rig.window.Label2(),
              "The current temperature in San Diego CA is unavailable because " + std::string(kHint));
    EXPECT_EQ(rig.window.Text2(), kHint);
    EXPECT_GE(FirstColumnOf(Bitmap(), kRed), 0) << "N/A is drawn";
    EXPECT_EQ(Sent(kNifIcon).size(), 1U);
    ASSERT_EQ(rig.dialogs.boxes.size(), silent ? 0U : 1U);
    if (!silent) {
      EXPECT_EQ(rig.dialogs.boxes[0].title, "Wethrix");
    }
  }
}

TEST_F(RefreshWin32Test, NoReadingIsShownAsUnavailableNeverAsAnApplicationError) {
  struct Case {
    std::string_view location;
    std::string_view api_base;  // empty: the stand-in
  };
  const Case cases[] = {{"Nowhere At All", ""}, {"San Diego CA", "http://127.0.0.1:1"}};
  for (const auto& c : cases) {
    Win32RefreshRig& rig = Load({{"Text1", std::string(c.location)}});
    if (!c.api_base.empty()) rig.environment.overrides["WETHRIX_API_BASE"] = c.api_base;
    rig.form.ListTemp(false);
    EXPECT_TRUE(rig.window.Label2().starts_with("The current temperature in " + std::string(c.location) +
                                                " is unavailable because "))
        << rig.window.Label2();
    EXPECT_EQ(Sent(kNifInfo).size(), 1U);
    for (const auto& box : rig.dialogs.boxes) EXPECT_NE(box.title, kApplicationErrorTitle) << box.text;
  }
}

TEST_F(RefreshWin32Test, AMissingConverterIsExtractedAgain) {
  Win32RefreshRig& rig = Load();
  const std::string converter = rig.form.ConverterFile();
  ASSERT_TRUE(rig.files.Exists(converter));
  rig.files.Remove(converter);
  rig.form.ListTemp(true);
  EXPECT_TRUE(rig.files.Exists(converter));
  EXPECT_TRUE(rig.files.Exists(rig.File("CurTemp.ico")));
  EXPECT_EQ(Sent(kNifIcon).size(), 1U);
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

TEST_F(RefreshWin32Test, TriggersDuringARefreshFoldIntoOneMoreRunAfterIt) {
  Win32RefreshRig& rig = Load();
  const HWND window = rig.window.Hwnd();
  bool posted = false;
  // While the first refresh runs, a resume broadcast and a timer tick are queued and a pass of
  // the refresh's pump lets them in, as its waits do. Left to the converter's wait, they would be
  // let in only if the converter was still running when it looked: once it has ended, what is
  // queued is left to the next pass, after the refresh.
  shell_.on_notify = [&](const fakes::SentRecord& sent) {
    if (posted || (sent.record.uFlags & kNifTip) == 0) return;
    posted = true;
    ::PostMessageW(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    ::PostMessageW(window, WM_TIMER, 1, 0);
    rig.pump.DoEvents();
  };
  rig.form.ListTemp(true);
  EXPECT_TRUE(posted);
  EXPECT_EQ(inet_.begun, 2);
  EXPECT_EQ(inet_.overlapping, 0);
  EXPECT_EQ(Sent(kNifInfo).size(), 2U);
}

TEST_F(RefreshWin32Test, AResumeBroadcastRefreshesOnce) {
  Win32RefreshRig& rig = Load();
  ::SendMessageW(rig.window.Hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_EQ(inet_.begun, 1);
  EXPECT_EQ(Sent(kNifIcon).size(), 1U);
  ::SendMessageW(rig.window.Hwnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  EXPECT_EQ(inet_.begun, 1);
}

// That a disabled timer ticks no more is the window tests' to show.
TEST_F(RefreshWin32Test, EachTickOfTheRealTimerRefreshesOnce) {
  constexpr int kTicks = 3;
  Win32RefreshRig& rig = Load();
  Timer& timer = rig.window.Timer1();
  int ticks = 0;
  // Each tick stops the timer for the length of its refresh, so that ticks never fold into a
  // running one; after the last the timer stays disabled, so nothing follows.
  timer.OnTick([&] {
    ++ticks;
    timer.SetEnabled(false);
    rig.form.Timer1_Timer();
    if (ticks < kTicks) timer.SetEnabled(true);
  });
  timer.SetInterval(std::chrono::milliseconds(100));
  ASSERT_TRUE(PumpFor(std::chrono::seconds(60), [&] { return ticks == kTicks; }));
  EXPECT_EQ(inet_.begun, kTicks);
  EXPECT_EQ(static_cast<int>(Sent(kNifInfo).size()), kTicks);
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

}  // namespace
}  // namespace wethrix::testing
