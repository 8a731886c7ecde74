// The icon reader, as the program runs it on the converter's output.
#include <cstdint>
#include <span>

#include "image_properties.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wethrix;
  const auto image = imaging::ReadOpaqueIcon(std::span(data, size));
  if (!image) return 0;
  fuzz::CheckShape(*image, imaging::kMaxIconSide);
  fuzz::CheckRewrites(*image);
  return 0;
}
