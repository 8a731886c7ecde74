// getWeather through real WinINet against the local stand-in (tests/standin), whose address
// the test run passes in WETHRIX_API_BASE.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/fakes/fake_services.hpp"
#include "platform/win32/services/clock.hpp"
#include "platform/win32/services/event_pump.hpp"
#include "platform/win32/services/wininet_transfer.hpp"
#include "weather/get_weather.hpp"
#include "weather/reply.hpp"

namespace wethrix::win32 {
namespace {

constexpr const char* kKey = "demo-key";  // the key the stand-in accepts
constexpr const char* kCaption = "Getting Started / Enter Your API Key";

class WeatherOverWinInetTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* base = std::getenv("WETHRIX_API_BASE");
    if (base == nullptr) GTEST_SKIP() << "WETHRIX_API_BASE is not set; the stand-in is not running";
    base_ = base;
    environment.variables["WETHRIX_API_BASE"] = base_;
    ASSERT_TRUE(Service("/__reset").reached);
  }

  // Ends the drips, so that no worker of a transfer given up still waits for one.
  void TearDown() override { (void)Service("/__release"); }

  WeatherResult Query(const std::string& location, const std::string& key, bool silent,
                      Unit unit = Unit::kCelsius) {
    return getWeather({location, key, unit, silent, kCaption}, services);
  }

  // A plain GET to the stand-in.
  HttpReply Service(const std::string& path) {
    WinInetTransfer own;
    if (!own.Begin(base_ + path, {})) return {};
    return Await(own);
  }

  // How many weather requests the stand-in has had.
  std::size_t Requests() {
    const std::string log = Service("/__log").body;
    return log.empty() ? 0 : static_cast<std::size_t>(std::ranges::count(log, '\n')) + 1;
  }

  HttpReply Await(WinInetTransfer& running) {
    while (running.StillExecuting()) events.WaitFor(&running.Finished(), std::chrono::milliseconds(20));
    return running.TakeReply();
  }

  [[nodiscard]] std::string Weather(const char* place) const {
    return base_ + "/data/2.5/weather?q=%22" + place + "%22&APPID=" + kKey;
  }

  WinInetTransfer transfer;
  Win32EventPump events;
  fakes::FakeDialogs dialogs;
  fakes::FakeEnvironment environment;
  SteadyClock clock;
  WeatherServices services{transfer, events, dialogs, environment, clock, "Wethrix"};

 private:
  std::string base_;
};

TEST_F(WeatherOverWinInetTest, ANormalReplyGivesTheTemperatureAndTheServicesName) {
  const WeatherResult result = Query("San Diego CA", kKey, false, Unit::kFahrenheit);
  EXPECT_EQ(result.temperature, 61);  // 289.15 K is 60.8 °F
  EXPECT_EQ(result.city_name, "San Diego");
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(Service("/__log").body, "GET /data/2.5/weather?q=%22San%20Diego%20CA%22&APPID=demo-key HTTP/1.1");
}

TEST_F(WeatherOverWinInetTest, NamesWithCommasAndEscapesComeThroughWhole) {
  const WeatherResult washington = Query("Washington DC", kKey, true);
  EXPECT_EQ(washington.temperature, 27);
  EXPECT_EQ(washington.city_name, "Washington, D.C.");
  const WeatherResult sao_paulo = Query("Sao Paulo", kKey, true);
  EXPECT_EQ(sao_paulo.temperature, 22);  // 22.5 °C, a tie, goes to the even neighbour
  EXPECT_EQ(sao_paulo.city_name, "S\xC3\xA3o Paulo");
  EXPECT_EQ(Query("Long Name", kKey, true).city_name, std::string(10000, 'L'));
}

TEST_F(WeatherOverWinInetTest, ARefusedKeyGivesTheSentinelWithOneBoxUnlessSilent) {
  EXPECT_EQ(Query("San Diego CA", "wrong", true).temperature, kRefusedKeyTemperature);
  EXPECT_TRUE(dialogs.boxes.empty());
  const WeatherResult loud = Query("San Diego CA", "wrong", false);
  EXPECT_EQ(loud.temperature, kRefusedKeyTemperature);
  EXPECT_EQ(loud.city_name, "San Diego CA");
  ASSERT_EQ(dialogs.boxes.size(), 1U);
  EXPECT_EQ(dialogs.boxes[0].text, RefusedKeyMessage(kCaption));
}

TEST_F(WeatherOverWinInetTest, PlacesWithoutAReadingGiveNaNAndAReason) {
  struct Case {
    const char* location;
    std::string_view reason;
  };
  const Case cases[] = {
      {"Atlantis", no_reading::kUnknownPlace},
      {"Busy Place", no_reading::kSlowDown},
      {"Broken Place", no_reading::kNoTemperature},
      {"String Place", no_reading::kNoTemperature},
      {"No Temp Place", no_reading::kNoTemperature},
      {"Redirect Place", no_reading::kServiceError},  // not followed: no reading, one request
  };
  for (const auto& c : cases) {
    const WeatherResult result = Query(c.location, kKey, true);
    EXPECT_TRUE(std::isnan(result.temperature)) << c.location;
    EXPECT_EQ(result.reason, c.reason) << c.location;
    EXPECT_EQ(result.city_name, c.location);
  }
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(Requests(), std::size(cases)) << "a redirect is not followed";
}

TEST_F(WeatherOverWinInetTest, AServerThatNeverAnswersIsGivenUpAfterTheTimeOut) {
  services.timeouts = {std::chrono::seconds(1), std::chrono::seconds(2)};
  const WeatherResult result = Query("Silent Place", kKey, false);
  EXPECT_TRUE(std::isnan(result.temperature));
  EXPECT_EQ(result.reason, no_reading::kTimedOut);
  ASSERT_EQ(dialogs.boxes.size(), 1U);
  EXPECT_EQ(dialogs.boxes[0].title, "Wethrix");
}

// The stand-in sends the headers, then a byte a second, for minutes. A transfer past its time is set
// aside and the next request goes out at once. The worker given up stops at the next byte, on
// Windows and under Wine alike (which, unlike Windows, never woke a read by closing its handle), so
// the request after the next drip goes out too, once that worker has stopped.
TEST_F(WeatherOverWinInetTest, AReplyThatDripsIsAbandonedAtItsTimeAndTheNextRequestsGoOut) {
  services.timeouts = {std::chrono::seconds(2), std::chrono::seconds(2)};
  EXPECT_EQ(Query("Drip Place", kKey, true).reason, no_reading::kTimedOut);
  EXPECT_EQ(Query("San Diego CA", kKey, true).temperature, 16) << "asked at once while the first drips";

  EXPECT_EQ(Query("Drip Place", kKey, true).reason, no_reading::kTimedOut);
  WeatherResult oslo = Query("Oslo", kKey, true);
  for (const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
       oslo.reason == no_reading::kBusy && std::chrono::steady_clock::now() < limit;
       oslo = Query("Oslo", kKey, true)) {
    (void)events.WaitFor(nullptr, std::chrono::milliseconds(20));
  }
  EXPECT_EQ(oslo.temperature, -5) << oslo.reason;
  EXPECT_EQ(Requests(), 4U);
}

TEST_F(WeatherOverWinInetTest, TheTransferRunsOneAtATimeAndKeepsTheBodyOfAnErrorStatus) {
  ASSERT_TRUE(transfer.Begin(Weather("Silent%20Place"), {std::chrono::seconds(2), std::chrono::seconds(2)}));
  EXPECT_FALSE(transfer.Begin(Weather("Oslo"), {}));
  EXPECT_TRUE(Await(transfer).timed_out);

  ASSERT_TRUE(transfer.Begin(Weather("Atlantis"), {}));
  const HttpReply reply = Await(transfer);
  EXPECT_TRUE(reply.reached);
  EXPECT_EQ(reply.status, 404);
  EXPECT_EQ(reply.body, R"({"cod":"404","message":"city not found"})");
  EXPECT_FALSE(transfer.TakeReply().reached);
}

TEST_F(WeatherOverWinInetTest, AClosedPortIsUnreachable) {
  environment.variables["WETHRIX_API_BASE"] = "http://127.0.0.1:1";
  const WeatherResult result = Query("San Diego CA", kKey, true);
  EXPECT_TRUE(std::isnan(result.temperature));
  EXPECT_EQ(result.reason, no_reading::kUnreachable);
}

// Replies are read on the user-interface thread, whose stack is 1 MiB: the largest body the
// transfer keeps, nested all the way down, must not exhaust it.
TEST(ReplyOnTheProgramsStackTest, ABodyNestedAsDeepAsItCanBeIsNoReading) {
  const std::size_t half = std::size_t{1} << 19U;
  const HttpReply reply{true, false, 200, std::string(half, '[') + std::string(half, ']')};
  EXPECT_EQ(ReadReply(reply).kind, ReplyKind::kNoReading);
}

}  // namespace
}  // namespace wethrix::win32
