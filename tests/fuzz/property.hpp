#pragma once
// A property that does not hold is a finding: abort, so that libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace wethrix::fuzz {

inline void Check(bool holds, const char* property) {
  if (!holds) {
    static_cast<void>(std::fprintf(stderr, "property does not hold: %s\n", property));
    std::abort();
  }
}

inline std::string_view Text(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace wethrix::fuzz
