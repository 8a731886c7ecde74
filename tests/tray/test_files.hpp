#pragma once
// Small icon files made by the tests themselves with the converter's own writer.
#include <cstdint>
#include <vector>

#include "image/icon_writer.hpp"

namespace wethrix::test {

// A 16 x 16 icon of one colour.
inline std::vector<std::uint8_t> OneColourIconFile(imaging::Rgb colour) {
  return imaging::WriteIcon(imaging::Image{16, 16, std::vector<imaging::Rgb>(std::size_t{16} * 16, colour)});
}

}  // namespace wethrix::test
