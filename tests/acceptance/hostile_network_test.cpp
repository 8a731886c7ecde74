// The real program on a network that is not kind to it: a tick right behind a request, a reply
// that drips for minutes, a redirect. One program run; its tests follow one another.
#include <gtest/gtest.h>

#include <memory>

#include "tests/acceptance/notification_area.hpp"
#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

constexpr char kSanDiego[] =
    "The current temperature in San Diego is 61 \xC2\xB0"
    "F";
// The program's limit for one transfer, and a margin for a busy machine.
constexpr auto kTransferLimit = 30s + 15s;
constexpr char kTimedOut[] = "the weather service did not answer in time";
constexpr char kServiceError[] = "the weather service reported an error";

std::string Unavailable(std::string_view place, std::string_view reason) {
  return "The current temperature in " + std::string(place) + " is unavailable because " +
         std::string(reason) + ".";
}

class HostileNetwork : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    settings::Clear();
    settings::Set(L"APIKey", L"demo-key");
    standin::Reset();
    folder_ = std::make_unique<test_support::TempFolder>(u8"wethrix hostile network");
    area_ = std::make_unique<NotificationArea>();
    wethrix_ = std::make_unique<WethrixDriver>(folder_->Path());
    wethrix_->Start();
  }

  static void TearDownTestSuite() {
    if (wethrix_) {
      EXPECT_TRUE(wethrix_->CloseAndWait());
    }
    wethrix_.reset();
    area_.reset();
    folder_.reset();
    standin::Release();
    settings::Clear();
  }

  void SetUp() override { ASSERT_TRUE(wethrix_ && wethrix_->Running()) << "the program is gone"; }

  void TearDown() override { EXPECT_EQ(wethrix_->DismissMessageBoxes(), 0) << "a box was left open"; }

  static WethrixDriver& Wethrix() { return *wethrix_; }
  static std::string Misreading() { return known_.Misreading(*area_, Wethrix().ProcessId()); }

  // Answers the location box with `place` and OK, as the user would; the refresh it starts is
  // not silent.
  static void ChangeLocation(const std::string& place) {
    Wethrix().Click("PushButton4");
    const HWND box = Wethrix().WaitForDialog(L"Wethrix", L"Edit");
    ASSERT_NE(box, nullptr) << "no input box";
    SetEditText(::FindWindowExW(box, nullptr, L"Edit", nullptr), place);
    PressButton(box, IDOK);
  }

  // The box that tells there is no reading for `place`, pressed away.
  static void DismissNoReading(std::string_view place, std::string_view reason,
                               std::chrono::milliseconds limit = 20s) {
    ASSERT_TRUE(WaitUntil([] { return !Wethrix().MessageBoxTexts().empty(); }, limit))
        << Wethrix().Text("Label2");
    EXPECT_EQ(Wethrix().MessageBoxTexts(),
              std::vector<std::string>{"There is no temperature for " + std::string(place) +
                                       " at the moment: " + std::string(reason) + "."});
    EXPECT_EQ(Wethrix().DismissMessageBoxes(), 1);
  }

  static inline std::unique_ptr<test_support::TempFolder> folder_;
  static inline std::unique_ptr<NotificationArea> area_;
  static inline std::unique_ptr<WethrixDriver> wethrix_;
  static inline KnownIcons known_;
};

TEST_F(HostileNetwork, ATickRightBehindARequestWaitsOutFiveSecondsAndThenAsks) {
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(0)) << "no first refresh";
  Wethrix().TimerTick();
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(1));
  const std::vector<double> arrived = standin::RequestTimes();
  ASSERT_EQ(arrived.size(), 2U);
  // As the stand-in saw them; the first may have taken a little longer on its way.
  EXPECT_GE(arrived[1] - arrived[0], 4.0);
  EXPECT_EQ(Wethrix().Text("Label2"), kSanDiego);
  known_.Learn(*area_, Wethrix().ProcessId());
}

TEST_F(HostileNetwork, WhileAReplyStillDripsTheNextRefreshAsksAtOnceAndShowsTheReading) {
  std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  ChangeLocation("Drip Place");
  DismissNoReading("Drip Place", kTimedOut, kTransferLimit);
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(refreshes));
  EXPECT_EQ(Wethrix().Text("Label2"), Unavailable("Drip Place", kTimedOut));
  EXPECT_NE(Misreading(), "") << "the icon of 61 degrees is gone";

  refreshes = Wethrix().FinishedRefreshes();
  ChangeLocation("San Diego CA");  // the stand-in still drips the reply to the last request
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(refreshes))
      << testing::PrintToString(Wethrix().MessageBoxTexts());
  EXPECT_EQ(Wethrix().Text("Label2"), kSanDiego);
  EXPECT_EQ(Misreading(), "");
  EXPECT_EQ(standin::Requests().size(), 4U);
}

TEST_F(HostileNetwork, ARedirectIsNoReadingAndBringsNoSecondRequest) {
  const std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  ChangeLocation("Redirect Place");
  DismissNoReading("Redirect Place", kServiceError);
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(refreshes));
  EXPECT_EQ(Wethrix().Text("Label2"), Unavailable("Redirect Place", kServiceError));
  EXPECT_EQ(standin::Requests().size(), 5U);
}

}  // namespace
}  // namespace wethrix::acceptance
