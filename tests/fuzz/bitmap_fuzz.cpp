// The bitmap reader, as the converter runs it on whatever file it is given.
#include <cstdint>
#include <span>

#include "image_properties.hpp"
#include "platform/errors.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wethrix;
  imaging::Image image;
  try {
    image = imaging::ReadBitmap(std::span(data, size));
  } catch (const AppError& error) {
    fuzz::Check(error.Number() == error_number::kInvalidPicture, "a bitmap refused is an invalid picture");
    return 0;
  }
  fuzz::CheckShape(image, INT32_MAX);
  fuzz::CheckRewrites(image);
  return 0;
}
