#include "weather/request.hpp"

#include <gtest/gtest.h>

#include "platform/fakes/fake_services.hpp"

namespace wethrix {
namespace {

TEST(RequestTest, BuildsThePathAndQuery) {
  EXPECT_EQ(WeatherRequestUrl("https://api.openweathermap.org", "San Diego CA", "K"),
            "https://api.openweathermap.org/data/2.5/weather?q=%22San%20Diego%20CA%22&APPID=K");
  EXPECT_EQ(WeatherRequestUrl("http://127.0.0.1:8089", "", ""),
            "http://127.0.0.1:8089/data/2.5/weather?q=%22%22&APPID=");
}

TEST(RequestTest, NothingTypedCanChangeTheQuery) {
  struct Case {
    const char* location;
    const char* key;
    const char* query;
  };
  const Case cases[] = {
      {"Washington, D.C.", "k", "q=%22Washington%2C%20D.C.%22&APPID=k"},
      {"A&APPID=x#y", "k", "q=%22A%26APPID%3Dx%23y%22&APPID=k"},
      {"50% + 1", "a b&c", "q=%2250%25%20%2B%201%22&APPID=a%20b%26c"},
      {"S\xC3\xA3o Paulo", "k", "q=%22S%C3%A3o%20Paulo%22&APPID=k"},
      {"\"quoted\"/?", "k", "q=%22%22quoted%22%2F%3F%22&APPID=k"},
      {"line\r\nbreak\t", "k", "q=%22line%0D%0Abreak%09%22&APPID=k"},
      {"Az09-._~", "Az09-._~", "q=%22Az09-._~%22&APPID=Az09-._~"},
  };
  for (const auto& c : cases) {
    const std::string url = WeatherRequestUrl("http://h", c.location, c.key);
    EXPECT_EQ(url.substr(url.find('?') + 1), c.query) << c.location;
  }
}

TEST(RequestTest, TheBaseCanBeReplacedByAnHttpsAddressOrAPlainOneThatStaysOnThisMachine) {
  struct Case {
    const char* variable;  // nullptr: not set
    const char* base;
  };
  const Case cases[] = {
      {nullptr, "https://api.openweathermap.org"},
      {"http://127.0.0.1:8089", "http://127.0.0.1:8089"},
      {"HTTPS://example.test/", "HTTPS://example.test"},
      {"", "https://api.openweathermap.org"},
      {"ftp://example.test", "https://api.openweathermap.org"},
      {"127.0.0.1:8089", "https://api.openweathermap.org"},
      {"http://", "https://api.openweathermap.org"},
      {"http://evil.test/x?q=", "https://api.openweathermap.org"},
      {"http://user@evil.test", "https://api.openweathermap.org"},
      {"http://evil.test:80", "https://api.openweathermap.org"},  // the key would travel in clear text
      {"http://127.0.0.1.evil.test", "https://api.openweathermap.org"},
      {"http://127.0.0.256", "https://api.openweathermap.org"},
      {"http://128.0.0.1", "https://api.openweathermap.org"},
      {"http://127.1", "https://api.openweathermap.org"},
      {"http://127.0.0.1:808Z", "https://api.openweathermap.org"},  // not a port
      {"http://[::1]x.evil.test", "https://api.openweathermap.org"},
      {"http://127.20.30.40", "http://127.20.30.40"},
      {"http://LocalHost:8089", "http://LocalHost:8089"},
      {"http://[::1]:8089", "http://[::1]:8089"},
      {"https://evil.test:8443", "https://evil.test:8443"},
  };
  for (const auto& c : cases) {
    fakes::FakeEnvironment environment;
    if (c.variable != nullptr) environment.variables["WETHRIX_API_BASE"] = c.variable;
    EXPECT_EQ(ApiBase(environment), c.base) << (c.variable != nullptr ? c.variable : "(unset)");
  }
}

TEST(RequestTest, OnlyAServiceOnThisMachineMaySeeRequestsCloserThanFiveSeconds) {
  struct Case {
    const char* base;  // nullptr: the service's own
    const char* gap;   // nullptr: not set
    int milliseconds;
  };
  const Case cases[] = {
      {nullptr, "0", 5000},
      {"https://example.test", "0", 5000},
      {"http://evil.test", "0", 5000},
      {"http://[::1]:8089", nullptr, 5000},
      {"http://127.0.0.1:8089", "0", 0},
      {"https://localhost", "250", 250},
      {"http://127.0.0.1:8089", "60000", 5000},
      {"http://127.0.0.1:8089", "-1", 5000},
      {"http://127.0.0.1:8089", "1.5", 5000},
  };
  for (const auto& c : cases) {
    fakes::FakeEnvironment environment;
    if (c.base != nullptr) environment.variables["WETHRIX_API_BASE"] = c.base;
    if (c.gap != nullptr) environment.variables["WETHRIX_REQUEST_GAP_MS"] = c.gap;
    EXPECT_EQ(RequestGap(environment), std::chrono::milliseconds{c.milliseconds})
        << (c.base != nullptr ? c.base : "(service)") << " " << (c.gap != nullptr ? c.gap : "(unset)");
  }
}

}  // namespace
}  // namespace wethrix
