#include "platform/web_address.hpp"

#include <algorithm>
#include <charconv>
#include <optional>

#include "platform/text.hpp"

namespace wethrix {
namespace {

bool IsLoopbackIpv4(std::string_view host) {
  if (std::ranges::count(host, '.') != 3) return false;
  std::optional<unsigned> first;
  for (std::size_t start = 0; start <= host.size();) {
    const std::size_t end = std::min(host.find('.', start), host.size());
    unsigned value = 0;
    const auto [stop, error] = std::from_chars(host.data() + start, host.data() + end, value);
    if (error != std::errc{} || stop != host.data() + end || end - start > 3 || value > 255) return false;
    if (!first) first = value;
    start = end + 1;
  }
  return first == 127U;
}

}  // namespace

bool IsLoopbackHost(std::string_view host) {
  return LowerAscii(host) == "localhost" || host == "[::1]" || host == "::1" || IsLoopbackIpv4(host);
}

}  // namespace wethrix
