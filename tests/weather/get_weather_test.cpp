#include "weather/get_weather.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/errors.hpp"
#include "platform/fakes/fake_http_transfer.hpp"
#include "platform/fakes/fake_services.hpp"
#include "weather/reply.hpp"

namespace wethrix {
namespace {

using fakes::Reply;

constexpr const char* kCaption = "Getting Started / Enter Your API Key";
constexpr const char* kRefusal =
    R"({"cod":401, "message": "Invalid API key. Please see https://openweathermap.org/faq#error401 for more info."})";

class GetWeatherTest : public testing::Test {
 protected:
  GetWeatherTest() { events.clock = &clock; }

  WeatherResult Query(bool silent, Unit unit = Unit::kFahrenheit) {
    return getWeather({"San Diego CA", "K", unit, silent, kCaption}, services);
  }

  fakes::FakeHttpTransfer transfer;
  fakes::FakeEventPump events;
  fakes::FakeDialogs dialogs;
  fakes::FakeEnvironment environment;
  fakes::FakeClock clock;
  WeatherServices services{transfer, events, dialogs, environment, clock, "Wethrix"};
};

TEST_F(GetWeatherTest, SendsOneRequestAndReadsTheReply) {
  environment.variables["WETHRIX_API_BASE"] = "http://127.0.0.1:8089";
  transfer.replies.push_back(Reply(200, R"({"main":{"temp":300.15},"name":"San Diego","cod":200})"));
  const WeatherResult result = Query(false, Unit::kCelsius);
  EXPECT_EQ(result.temperature, 27);
  EXPECT_EQ(result.city_name, "San Diego");
  EXPECT_EQ(result.reason, "");
  ASSERT_EQ(transfer.urls.size(), 1U);
  EXPECT_EQ(transfer.urls[0], "http://127.0.0.1:8089/data/2.5/weather?q=%22San%20Diego%20CA%22&APPID=K");
  EXPECT_EQ(transfer.timeouts[0].connect, std::chrono::seconds(15));
  EXPECT_EQ(transfer.timeouts[0].total, std::chrono::seconds(30));
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GetWeatherTest, AKeyStoredWithBlanksAroundItIsSentWithoutThem) {
  transfer.replies.push_back(Reply(200, R"({"main":{"temp":300.15}})"));
  (void)getWeather({"San Diego CA", " K\t\r\n", Unit::kFahrenheit, true, kCaption}, services);
  ASSERT_EQ(transfer.urls.size(), 1U);
  EXPECT_TRUE(transfer.urls[0].ends_with("&APPID=K")) << transfer.urls[0];
}

TEST_F(GetWeatherTest, AReplyWithoutANameKeepsTheLocation) {
  transfer.replies.push_back(Reply(200, R"({"main":{"temp":300.15}})"));
  EXPECT_EQ(Query(true).city_name, "San Diego CA");
}

TEST_F(GetWeatherTest, LetsWindowEventsRunWhileTheTransferIsInFlight) {
  transfer.executing_polls = 6;
  transfer.replies.push_back(Reply(200, R"({"main":{"temp":300.15}})"));
  EXPECT_EQ(Query(true).temperature, 81);
  EXPECT_GE(events.Passes(), 3);
}

TEST_F(GetWeatherTest, ARefusedKeyGivesTheSentinelAndOneBoxUnlessSilent) {
  for (const bool silent : {true, false}) {
    dialogs.boxes.clear();
    transfer.replies.push_back(Reply(401, kRefusal));
    const WeatherResult result = Query(silent);
    EXPECT_EQ(result.temperature, kRefusedKeyTemperature);
    EXPECT_EQ(result.city_name, "San Diego CA");
    if (silent) {
      EXPECT_TRUE(dialogs.boxes.empty());
    } else {
      ASSERT_EQ(dialogs.boxes.size(), 1U);
      EXPECT_EQ(
          dialogs.boxes[0].text,
          "Your API Key is not correct. Please click on the Getting Started / Enter Your API Key button to "
          "learn more.");
      EXPECT_EQ(dialogs.boxes[0].title, "Wethrix");
      EXPECT_EQ(dialogs.boxes[0].icon, BoxIcon::kNone);
    }
  }
}

TEST_F(GetWeatherTest, NoReadingIsNaNWithAReasonAndNeverAnApplicationError) {
  const HttpReply replies[] = {{},
                               {false, true, 0, ""},
                               Reply(404, R"({"cod":"404","message":"city not found"})"),
                               Reply(200, R"({"main":{"temp":"289.15"}})")};
  for (const auto& reply : replies) {
    for (const bool silent : {true, false}) {
      dialogs.boxes.clear();
      transfer.replies.push_back(reply);
      const WeatherResult result = Query(silent);
      EXPECT_TRUE(std::isnan(result.temperature)) << reply.body;
      EXPECT_EQ(result.reason, ReadReply(reply).reason);
      EXPECT_EQ(result.city_name, "San Diego CA");
      if (silent) {
        EXPECT_TRUE(dialogs.boxes.empty()) << reply.body;
      } else {
        ASSERT_EQ(dialogs.boxes.size(), 1U) << reply.body;
        EXPECT_EQ(dialogs.boxes[0].text, NoReadingMessage("San Diego CA", result.reason));
        EXPECT_EQ(dialogs.boxes[0].title, "Wethrix");
        EXPECT_EQ(dialogs.boxes[0].icon, BoxIcon::kNone);
      }
    }
  }
}

TEST_F(GetWeatherTest, ALocationTooLongForAnyServerIsNotSentAndToldShortened) {
  const std::string emoji = "\xF0\x9F\x8C\xA1";  // 12 characters once encoded
  const std::string quotes(150, '"');
  for (const bool silent : {true, false}) {
    dialogs.boxes.clear();
    const WeatherResult result =
        getWeather({std::string(10000, 'x'), "K", Unit::kCelsius, silent, kCaption}, services);
    EXPECT_TRUE(transfer.urls.empty());
    EXPECT_TRUE(std::isnan(result.temperature));
    EXPECT_EQ(result.reason, no_reading::kPlaceTooLong);
    EXPECT_EQ(dialogs.boxes.size(), silent ? 0U : 1U);
  }
  EXPECT_EQ(dialogs.boxes[0].text,
            "There is no temperature for " + std::string(63, 'x') +
                "\xE2\x80\xA6 at the moment: " + std::string(no_reading::kPlaceTooLong) + ".");

  for (const std::string& location : {std::string(500, 'x'), quotes, emoji + emoji + "&%\"'"}) {
    transfer.replies.push_back(Reply(404, R"({"cod":"404","message":"city not found"})"));
    const WeatherResult result = getWeather({location, "K", Unit::kCelsius, true, kCaption}, services);
    EXPECT_EQ(result.reason, no_reading::kUnknownPlace) << location.size();
  }
  EXPECT_EQ(transfer.urls.size(), 3U);
}

TEST_F(GetWeatherTest, ANestedCallMakesNoSecondRequestAndLeavesTheReplyToTheFirst) {
  transfer.executing_polls = 4;
  transfer.replies.push_back(Reply(200, R"({"main":{"temp":300.15}})"));
  WeatherResult nested;
  events.Post([&] { nested = Query(false); });
  const WeatherResult outer = Query(true);
  EXPECT_EQ(transfer.urls.size(), 1U);
  EXPECT_EQ(outer.temperature, 81);
  EXPECT_TRUE(std::isnan(nested.temperature));
  EXPECT_EQ(nested.reason, no_reading::kBusy);
  EXPECT_TRUE(dialogs.boxes.empty());
}

// A reply that drips for ever, as from a failing proxy: the transfer never ends by itself.
TEST_F(GetWeatherTest, ATransferPastItsTimeIsAbandonedSoTheNextAsksAtOnceAndOnlyOneIsLeftRunning) {
  using std::chrono::milliseconds;
  transfer.executing_polls = -1;
  services.timeouts = {milliseconds(100), milliseconds(200)};
  int abandons_before_its_time = -1;
  events.on_pass = [&] {
    if (clock.Now().time_since_epoch() < milliseconds(200)) abandons_before_its_time = transfer.abandons;
  };
  auto started = clock.Now();
  EXPECT_EQ(Query(true).reason, no_reading::kTimedOut);
  EXPECT_EQ(abandons_before_its_time, 0);
  EXPECT_EQ(transfer.abandons, 1);
  EXPECT_LT(clock.Now() - started, milliseconds(300)) << "abandoned at its time, not waited for";

  // The first still runs aside, so this one cannot be set aside: it has its grace, then holds on.
  started = clock.Now();
  EXPECT_EQ(Query(true).reason, no_reading::kTimedOut);
  EXPECT_EQ(transfer.urls.size(), 2U) << "asked at once";
  EXPECT_GE(clock.Now() - started, std::chrono::seconds(5));
  EXPECT_LE(clock.Now() - started, std::chrono::seconds(6));
  EXPECT_EQ(Query(true).reason, no_reading::kBusy);
  EXPECT_EQ(transfer.urls.size(), 2U) << "never a third left running";

  transfer.EndAbandoned();
  transfer.executing_polls = 0;
  transfer.replies.push_back(Reply(200, R"({"main":{"temp":300.15}})"));
  EXPECT_EQ(Query(true).temperature, 81);
  EXPECT_EQ(transfer.urls.size(), 3U);

  // When the one aside ends during the grace, the one past its time goes aside then.
  transfer.executing_polls = -1;
  started = clock.Now();
  events.on_pass = [&] {
    if (clock.Now() - started >= milliseconds(1200)) transfer.EndAbandoned();
  };
  EXPECT_EQ(Query(true).reason, no_reading::kTimedOut);
  EXPECT_LT(clock.Now() - started, milliseconds(1300));
}

class FailingTransfer final : public HttpTransfer {
 public:
  [[nodiscard]] bool Begin(const std::string& /*url*/, HttpTimeouts /*timeouts*/) override {
    throw AppError(error_number::kSystem, "The system cannot start the transfer");
  }
  [[nodiscard]] bool StillExecuting() const override { return false; }
  [[nodiscard]] const Waitable& Finished() const override { return finished_; }
  [[nodiscard]] bool Abandon() override { return true; }
  [[nodiscard]] HttpReply TakeReply() override { return {}; }

 private:
  fakes::FakeWaitable finished_{[] { return true; }};
};

TEST_F(GetWeatherTest, AFailureOfTheProgramGoesThroughTheTrap) {
  FailingTransfer failing;
  WeatherServices broken{failing, events, dialogs, environment, clock, "Wethrix"};
  const WeatherResult result = getWeather({"San Diego CA", "K", Unit::kCelsius, false, kCaption}, broken);
  EXPECT_TRUE(std::isnan(result.temperature));
  ASSERT_EQ(dialogs.boxes.size(), 1U);
  EXPECT_EQ(dialogs.boxes[0].title, "Application Error");
  EXPECT_EQ(dialogs.boxes[0].text.rfind("The system cannot start the transfer\r\n"
                                        "in Wethrix2021/08/31.Form1.getWeather at line 100\r\r",
                                        0),
            0U);
}

}  // namespace
}  // namespace wethrix
