#include "weather/request.hpp"

#include <algorithm>
#include <charconv>
#include <optional>

#include "platform/web_address.hpp"

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

// The host of "host[:port]" or "[v6]:port".
std::string_view HostOf(std::string_view authority) {
  if (authority.starts_with('[')) return authority.substr(0, authority.find(']') + 1);
  return authority.substr(0, authority.find(':'));
}

bool IsLoopback(std::string_view authority) {
  return IsLoopbackHost(HostOf(authority));
}

// What follows "https://" or "http://"; nothing for another scheme.
std::string_view AuthorityOf(std::string_view base) {
  if (StartsWithNoCase(base, "https://")) return base.substr(8);
  if (StartsWithNoCase(base, "http://")) return base.substr(7);
  return {};
}

// Nothing, or ":" and a port of up to five digits.
bool IsPortOrNothing(std::string_view text) {
  return text.empty() || (text.size() >= 2 && text.size() <= 6 && text.front() == ':' &&
                          std::ranges::all_of(text.substr(1), [](char c) { return c >= '0' && c <= '9'; }));
}

// A host of printable characters that delimit nothing, then its port if any.
bool IsHostAndPort(std::string_view authority) {
  const std::string_view host = HostOf(authority);
  const bool printable = std::ranges::all_of(
      authority, [](char c) { return static_cast<unsigned char>(c) > ' ' && c != '\x7F'; });
  return !host.empty() && printable && authority.find_first_of("/?#@\\") == std::string_view::npos &&
         IsPortOrNothing(authority.substr(host.size()));
}

// The key goes out in the query, so plain http is taken only where it never leaves the machine.
bool IsWebAddress(std::string_view base) {
  const std::string_view authority = AuthorityOf(base);
  if (!IsHostAndPort(authority)) return false;
  return StartsWithNoCase(base, "https://") || IsLoopback(authority);
}

std::optional<unsigned> WholeNumber(std::string_view text) {
  unsigned value = 0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || stop != text.data() + text.size()) return std::nullopt;
  return value;
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

std::chrono::milliseconds RequestGap(const Environment& environment) {
  const std::optional<unsigned> gap = WholeNumber(environment.Variable(kRequestGapVariable).value_or(""));
  if (!gap || !IsLoopback(AuthorityOf(ApiBase(environment)))) return kLeastRequestGap;
  return std::min<std::chrono::milliseconds>(std::chrono::milliseconds{*gap}, kLeastRequestGap);
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
