#include "image/bitmap_writer.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "platform/errors.hpp"

namespace wethrix::imaging {
namespace {

using Bytes = std::vector<std::uint8_t>;

[[nodiscard]] std::uint32_t Read32(const Bytes& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = (value << 8) | bytes[at + i];
  return value;
}

TEST(BitmapFileTest, HeadersDescribeA24BitBottomUpImage) {
  const std::vector<std::uint32_t> pixels(15, 0x00FFFFFF);  // 5 by 3
  const Bytes file = EncodeBitmapFile(5, 3, pixels);
  const std::size_t row = 16;  // 15 bytes padded to 16
  ASSERT_EQ(file.size(), 54 + row * 3);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Read32(file, 2), file.size());
  EXPECT_EQ(Read32(file, 10), 54U);
  EXPECT_EQ(Read32(file, 14), 40U);
  EXPECT_EQ(Read32(file, 18), 5U);
  EXPECT_EQ(Read32(file, 22), 3U);
  EXPECT_EQ(file[28], 24);
  EXPECT_EQ(Read32(file, 30), 0U);  // uncompressed
}

TEST(BitmapFileTest, RowsAreStoredBottomFirstInBlueGreenRedOrder) {
  // Two by two: top row red, green; bottom row blue, white.
  const std::vector<std::uint32_t> pixels{0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};
  const Bytes file = EncodeBitmapFile(2, 2, pixels);
  const Bytes bottom(file.begin() + 54, file.begin() + 62);
  const Bytes top(file.begin() + 62, file.begin() + 70);
  EXPECT_EQ(bottom, (Bytes{0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0}));
  EXPECT_EQ(top, (Bytes{0, 0, 0xFF, 0, 0xFF, 0, 0, 0}));
}

TEST(BitmapFileTest, RefusesSizesThatDoNotMatchThePixels) {
  const std::vector<std::uint32_t> four(4);
  EXPECT_THROW(static_cast<void>(EncodeBitmapFile(3, 2, four)), AppError);
  EXPECT_THROW(static_cast<void>(EncodeBitmapFile(0, 0, {})), AppError);
  EXPECT_THROW(static_cast<void>(EncodeBitmapFile(-2, -2, four)), AppError);
}

}  // namespace
}  // namespace wethrix::imaging
