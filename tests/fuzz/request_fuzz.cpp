// The request: whatever is typed as the place or the key comes back whole from the query, and
// only a web address of the right kind in WETHRIX_API_BASE replaces the service's.
// Input: the text used as the place, the key and the variable alike.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/fakes/fake_services.hpp"
#include "property.hpp"
#include "weather/request.hpp"

namespace wethrix {
namespace {

using fuzz::Check;

bool IsUpperHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// Strict: every '%' starts two upper-case hex digits and nothing else is escaped.
std::optional<std::string> PercentDecode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    if (!IsUpperHex(text[i + 1]) || !IsUpperHex(text[i + 2])) return std::nullopt;
    unsigned byte = 0;
    static_cast<void>(std::from_chars(text.data() + i + 1, text.data() + i + 3, byte, 16));
    out.push_back(static_cast<char>(byte));
    i += 2;
  }
  return out;
}

bool IsUnreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string_view("-._~%").find(c) != std::string_view::npos;
}

void CheckEncoding(std::string_view typed) {
  const std::string encoded = PercentEncode(typed);
  Check(std::ranges::all_of(encoded, IsUnreserved), "an encoded text holds only unreserved characters");
  Check(PercentDecode(encoded) == std::string(typed), "an encoded text decodes back to what was typed");
}

void CheckQuery(std::string_view typed) {
  const std::string url = WeatherRequestUrl(kDefaultApiBase, typed, typed);
  const std::string start = std::string(kDefaultApiBase) + "/data/2.5/weather?q=%22";
  Check(url.starts_with(start), "the request starts with the service's path");
  const std::string_view query = std::string_view(url).substr(start.size());
  const auto key_at = query.find("%22&APPID=");
  Check(key_at != std::string_view::npos && query.find('&') == key_at + 3,
        "the place cannot end the query's first field");
  Check(PercentDecode(query.substr(0, key_at)) == std::string(typed), "the place comes back whole");
  Check(PercentDecode(query.substr(key_at + 10)) == std::string(typed), "the key comes back whole");
}

// 127.0.0.0/8 as four decimal parts of up to three digits.
bool IsLoopbackIpv4(std::string_view host) {
  const char* at = host.data();
  const char* const end = host.data() + host.size();
  for (int part = 0; part < 4; ++part) {
    if (part > 0 && (at == end || *at++ != '.')) return false;
    unsigned value = 0;
    const auto [stop, error] = std::from_chars(at, end, value);
    if (error != std::errc{} || stop == at || stop - at > 3 || value > 255 || (part == 0 && value != 127)) {
      return false;
    }
    at = stop;
  }
  return at == end;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  std::ranges::transform(out, out.begin(),
                         [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return out;
}

// scheme "://" host [":" port]: a bracketed address or a name of printable characters that
// delimit nothing, a port of digits, and plain http only to this machine.
bool IsTakeableBase(std::string_view base) {
  const std::string lower = Lower(base);
  const bool secure = lower.starts_with("https://");
  if (!secure && !lower.starts_with("http://")) return false;
  const std::string_view authority = std::string_view(lower).substr(secure ? 8 : 7);
  const std::size_t host_end = authority.starts_with('[') ? authority.find(']') : authority.find(':');
  if (authority.starts_with('[') && host_end == std::string_view::npos) return false;
  const std::string_view host = authority.substr(0, authority.starts_with('[') ? host_end + 1 : host_end);
  const std::string_view port = authority.substr(host.size());
  const bool printable = std::ranges::all_of(host, [](char c) {
    return static_cast<unsigned char>(c) > ' ' && c != 0x7F &&
           std::string_view("/?#@\\").find(c) == std::string_view::npos;
  });
  const bool port_ok =
      port.empty() || (port.size() >= 2 && port.size() <= 6 && port[0] == ':' &&
                       std::ranges::all_of(port.substr(1), [](char c) { return c >= '0' && c <= '9'; }));
  const bool local = host == "localhost" || host == "[::1]" || IsLoopbackIpv4(host);
  return !host.empty() && printable && port_ok && (secure || local);
}

void CheckBase(std::string_view typed) {
  fakes::FakeEnvironment environment;
  std::string variable(typed.substr(0, typed.find('\0')));  // no variable holds a NUL
  environment.variables[std::string(kApiBaseVariable)] = variable;
  const std::string base = ApiBase(environment);
  if (base == kDefaultApiBase) return;
  while (!variable.empty() && variable.back() == '/') variable.pop_back();
  Check(base == variable, "a base that is taken is taken as written, less its trailing slashes");
  Check(IsTakeableBase(base), "only an https address or a plain one to this machine is taken");
}

}  // namespace
}  // namespace wethrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view typed = wethrix::fuzz::Text(data, size);
  wethrix::CheckEncoding(typed);
  wethrix::CheckQuery(typed);
  wethrix::CheckBase(typed);
  return 0;
}
