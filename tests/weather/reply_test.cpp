#include "weather/reply.hpp"

#include <gtest/gtest.h>

#include <string>

#include "platform/fakes/fake_http_transfer.hpp"

namespace wethrix {
namespace {

using fakes::Reply;

constexpr const char* kSanDiego =
    R"({"coord":{"lon":-117.16,"lat":32.72},"weather":[{"id":800,"main":"Clear"}],"base":"stations",)"
    R"("main":{"temp":289.15,"feels_like":288.5,"temp_min":287.04,"temp_max":291.48,"pressure":1015,)"
    R"("humidity":72},"visibility":10000,"name":"San Diego","cod":200})";

TEST(ReplyTest, ReadsTemperatureAndName) {
  const ReplyReading reading = ReadReply(Reply(200, kSanDiego));
  EXPECT_EQ(reading.kind, ReplyKind::kTemperature);
  EXPECT_DOUBLE_EQ(reading.kelvin, 289.15);
  EXPECT_EQ(reading.name, "San Diego");
}

TEST(ReplyTest, NamesComeOutWhole) {
  struct Case {
    std::string name_json;
    std::string expected;
  };
  const Case cases[] = {
      {R"("Washington, D.C.")", "Washington, D.C."},
      {R"("S\u00e3o Paulo")", "S\xC3\xA3o Paulo"},
      {R"("  San Diego  ")", "San Diego"},
      {R"("Say \"Hi\"")", "Say \"Hi\""},
      {R"("")", ""},
      {"42", ""},
      {"null", ""},
  };
  for (const auto& c : cases) {
    const auto reading = ReadReply(Reply(200, R"({"main":{"temp":280},"name":)" + c.name_json + "}"));
    EXPECT_EQ(reading.kind, ReplyKind::kTemperature) << c.name_json;
    EXPECT_EQ(reading.name, c.expected) << c.name_json;
  }
  EXPECT_EQ(ReadReply(Reply(200, R"({"main":{"temp":280}})")).name, "");
}

TEST(ReplyTest, TheTemperatureIsMainTempNotItsNeighbours) {
  const auto reading =
      ReadReply(Reply(200, R"({"temp_min":1,"main":{"temp_min":2,"temp":300.15,"temp_max":3},"temp":4})"));
  EXPECT_DOUBLE_EQ(reading.kelvin, 300.15);
}

TEST(ReplyTest, ARefusedKeyIsFoundInAnyCaseWhateverTheStatus) {
  const std::string body401 =
      R"({"cod":401, "message": "Invalid API key. Please see https://openweathermap.org/faq#error401 for more info."})";
  EXPECT_EQ(ReadReply(Reply(401, body401)).kind, ReplyKind::kRefusedKey);
  EXPECT_EQ(ReadReply(Reply(200, "... INVALID api KEY ...")).kind, ReplyKind::kRefusedKey);
  EXPECT_EQ(ReadReply(Reply(500, "invalid api key")).kind, ReplyKind::kRefusedKey);
  EXPECT_EQ(ReadReply(Reply(401, "invalid api")).kind, ReplyKind::kNoReading);
}

TEST(ReplyTest, NoUsableTemperatureGivesAReason) {
  struct Case {
    HttpReply reply;
    std::string_view reason;
  };
  // Nothing reached: what the system said, and whether a proxy stood between.
  const auto failed = [](std::uint32_t error, bool via_proxy = false) {
    return HttpReply{false, false, 0, "", error, via_proxy};
  };
  const Case cases[] = {
      {{}, no_reading::kUnreachable},
      {{false, true, 0, ""}, no_reading::kTimedOut},
      {{false, true, 0, "", http_error::kCannotConnect, true}, no_reading::kTimedOut},
      {failed(http_error::kNameNotResolved), no_reading::kOffline},
      {failed(http_error::kDisconnected), no_reading::kOffline},
      {failed(http_error::kCannotConnect), no_reading::kUnreachable},
      {failed(http_error::kNameNotResolved, true), no_reading::kProxyUnreachable},
      {failed(http_error::kCannotConnect, true), no_reading::kProxyUnreachable},
      {failed(http_error::kProxyUnreachable), no_reading::kProxyUnreachable},
      {failed(http_error::kCertificateNameInvalid, true), no_reading::kCertificateForAnotherName},
      {failed(http_error::kCertificateDateInvalid), no_reading::kCertificateOutOfDate},
      {failed(http_error::kUnknownAuthority), no_reading::kCertificateUntrusted},
      {failed(http_error::kCertificateRevoked), no_reading::kCertificateRevoked},
      {failed(http_error::kCertificateRevocationFailed), no_reading::kCertificateUnchecked},
      {failed(http_error::kCertificateNoRevocation), no_reading::kCertificateUnchecked},
      {failed(http_error::kCertificateInvalid), no_reading::kCertificateInvalid},
      {failed(http_error::kCertificateErrors), no_reading::kCertificateInvalid},
      {failed(http_error::kSecureChannel), no_reading::kNoSecureConnection},
      {failed(12030, true), no_reading::kUnreachable},  // the connection broke off
      {Reply(407, "<html>Proxy Authentication Required</html>"), no_reading::kProxySignIn},
      {Reply(404, R"({"cod":"404","message":"city not found"})"), no_reading::kUnknownPlace},
      {Reply(429, R"({"cod":429,"message":"slow down"})"), no_reading::kSlowDown},
      {Reply(500, kSanDiego), no_reading::kServiceError},
      {Reply(200, ""), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":289.1)"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":"289.15"}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":null}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"feels_like":289}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":[289.15]})"), no_reading::kNoTemperature},
      {Reply(200, R"([{"main":{"temp":289.15}}])"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":1e999}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":-3}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":1e300}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":1e308}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":-1e308}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":NaN}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":"NaN"}})"), no_reading::kNoTemperature},
      {Reply(200, R"({"main":{"temp":Infinity}})"), no_reading::kNoTemperature},
      {Reply(200, "<html>Gateway</html>"), no_reading::kNoTemperature},
      {Reply(200, std::string("{\"main\":{\"temp\":2\0\x01\xff}}", 20)), no_reading::kNoTemperature},
      {Reply(200, std::string(100000, '[') + std::string(100000, ']')), no_reading::kNoTemperature},
  };
  for (const auto& c : cases) {
    const ReplyReading reading = ReadReply(c.reply);
    EXPECT_EQ(reading.kind, ReplyKind::kNoReading) << c.reply.body.substr(0, 60);
    EXPECT_EQ(reading.reason, c.reason) << c.reply.body.substr(0, 60);
  }
}

}  // namespace
}  // namespace wethrix
