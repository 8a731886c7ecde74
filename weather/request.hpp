#pragma once
// The one request the program sends: the current weather for a place, by the user's own key.
#include <chrono>
#include <string>
#include <string_view>

#include "platform/environment.hpp"

namespace wethrix {

inline constexpr std::string_view kDefaultApiBase = "https://api.openweathermap.org";
// Replaces the base (scheme, host, optional port), e.g. "http://127.0.0.1:8089", so tests and
// the demo can reach a local stand-in. Plain http only to this machine: the key is in the query.
inline constexpr std::string_view kApiBaseVariable = "WETHRIX_API_BASE";

// RFC 3986 unreserved characters stay; every other byte of the UTF-8 text becomes %XX, so
// nothing the user typed can change the query's structure.
[[nodiscard]] std::string PercentEncode(std::string_view text);

// The base from the environment when it names an https address, or an http address of this
// machine (localhost, 127.0.0.0/8, [::1]), else the service's own. Trailing slashes are dropped.
[[nodiscard]] std::string ApiBase(const Environment& environment);

// No request goes out within this of the one before, whoever asks: the tick, a try, the user.
inline constexpr std::chrono::seconds kLeastRequestGap{5};
// Shortens that gap, in milliseconds, while the base is on this machine, so that test sessions
// that refresh many times in a row need not sit it out; the service always gets the whole gap.
inline constexpr std::string_view kRequestGapVariable = "WETHRIX_REQUEST_GAP_MS";

// kLeastRequestGap, or the shorter gap the variable names while the base is on this machine.
[[nodiscard]] std::chrono::milliseconds RequestGap(const Environment& environment);

// Longer addresses are refused by common servers and proxies; a location that makes the request
// longer is not sent.
inline constexpr std::size_t kLongestRequestUrl = 2048;

// base + "/data/2.5/weather?q=%22<location>%22&APPID=<key>"
[[nodiscard]] std::string WeatherRequestUrl(std::string_view base, std::string_view location,
                                            std::string_view api_key);

}  // namespace wethrix
