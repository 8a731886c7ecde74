#include "weather/request.hpp"

#include <algorithm>

namespace wethrix {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(),
                                                    [](char p, char t) { return p == LowerAscii(t); });
}

bool IsWebAddress(std::string_view base) {
  const std::string_view rest = StartsWithNoCase(base, "https://")  ? base.substr(8)
                                : StartsWithNoCase(base, "http://") ? base.substr(7)
                                                                    : std::string_view{};
  return !rest.empty() && rest.find_first_of("/?#@ ") == std::string_view::npos;
}

}  // namespace

std::string PercentEncode(std::string_view text) {
  static constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte)) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[byte >> 4U]);
      out.push_back(kHex[byte & 0x0FU]);
    }
  }
  return out;
}

std::string ApiBase(const Environment& environment) {
  std::string base = environment.Variable(kApiBaseVariable).value_or("");
  while (!base.empty() && base.back() == '/') base.pop_back();
  return IsWebAddress(base) ? base : std::string(kDefaultApiBase);
}

std::string WeatherRequestUrl(std::string_view base, std::string_view location, std::string_view api_key) {
  std::string url(base);
  url += "/data/2.5/weather?q=%22";
  url += PercentEncode(location);
  url += "%22&APPID=";
  url += PercentEncode(api_key);
  return url;
}

}  // namespace wethrix
