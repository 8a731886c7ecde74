#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "image/bitmap_reader.hpp"
#include "image/icon_reader.hpp"
#include "image/icon_writer.hpp"
#include "platform/errors.hpp"
#include "tests/image/bitmap_builder.hpp"

namespace wethrix::imaging {
namespace {

using test_support::BuildBitmap;
using test_support::Pattern;
using test_support::PutU32;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32At(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes.at(offset)) |
         static_cast<std::uint32_t>(bytes.at(offset + 1)) << 8U |
         static_cast<std::uint32_t>(bytes.at(offset + 2)) << 16U |
         static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24U;
}

// Reads back the one image of an icon file as the system would: bottom-up BGRA rows, then the
// AND mask.
struct IconImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  Bytes colours;
  Bytes mask;
  [[nodiscard]] std::uint32_t Bgra(std::int32_t x, std::int32_t y) const {
    return U32At(colours, (static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)) *
                              4);
  }
};

IconImage ReadIcon(const Bytes& icon) {
  IconImage image;
  const std::uint32_t offset = U32At(icon, 18);
  image.width = static_cast<std::int32_t>(U32At(icon, offset + 4));
  image.height = static_cast<std::int32_t>(U32At(icon, offset + 8)) / 2;
  const auto colour_size = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
  const auto begin = icon.begin() + offset + 40;
  image.colours.assign(begin, begin + static_cast<std::ptrdiff_t>(colour_size));
  image.mask.assign(begin + static_cast<std::ptrdiff_t>(colour_size), icon.end());
  return image;
}

std::uint32_t OpaqueBgra(const Rgb& pixel) {
  return 0xFF000000U | static_cast<std::uint32_t>(pixel.red) << 16U |
         static_cast<std::uint32_t>(pixel.green) << 8U | pixel.blue;
}

TEST(ImageCodecTest, EveryDepthAndOrderRoundTripsToOpaqueIconPixels) {
  struct Depth {
    unsigned bits;
    unsigned colours;
  };
  const Depth depths[] = {{1, 2}, {4, 16}, {8, 256}, {24, 200}, {32, 200}};
  // Odd sizes exercise the row padding of every depth.
  const std::pair<std::int32_t, std::int32_t> sizes[] = {{32, 33}, {1, 1}, {3, 5}, {33, 2}};
  for (const Depth& depth : depths) {
    for (const auto& [width, height] : sizes) {
      for (const bool top_down : {false, true}) {
        SCOPED_TRACE(std::to_string(depth.bits) + " bits, " + std::to_string(width) + "x" +
                     std::to_string(height) + (top_down ? ", top-down" : ", bottom-up"));
        const Image original = Pattern(width, height, depth.colours);
        const Image decoded = ReadBitmap(BuildBitmap(original, depth.bits, top_down));
        ASSERT_EQ(decoded.width, width);
        ASSERT_EQ(decoded.height, height);
        EXPECT_EQ(decoded.pixels, original.pixels);

        const IconImage icon = ReadIcon(WriteIcon(decoded));
        ASSERT_EQ(icon.width, width);
        ASSERT_EQ(icon.height, height);
        for (std::int32_t y = 0; y < height; ++y) {
          for (std::int32_t x = 0; x < width; ++x) ASSERT_EQ(icon.Bgra(x, y), OpaqueBgra(original.At(x, y)));
        }
        EXPECT_EQ(icon.mask, Bytes(icon.mask.size(), 0));
        EXPECT_EQ(icon.mask.size(), static_cast<std::size_t>((width + 31) / 32 * 4 * height));
      }
    }
  }
}

// Written byte by byte, so a mistake shared by the test builder and the reader still shows.
TEST(ImageCodecTest, ReadsHandWrittenPaletteBitAndColourOrder) {
  Bytes mono = BuildBitmap(Image{2, 2, {{0, 0, 0}, {255, 255, 255}, {255, 255, 255}, {0, 0, 0}}}, 1);
  ASSERT_EQ(mono.size(), 54U + 8 + 8);
  const std::uint8_t palette[] = {0x10, 0x20, 0x30, 0, 0x01, 0x02, 0x03, 0};  // blue, green, red, unused
  std::copy(std::begin(palette), std::end(palette), mono.begin() + 54);
  mono[62] = 0b0100'0000;  // bottom row: colours 0, 1
  mono[66] = 0b1000'0000;  // top row: colours 1, 0
  const Image decoded_mono = ReadBitmap(mono);
  const Rgb first{0x30, 0x20, 0x10};
  const Rgb second{0x03, 0x02, 0x01};
  EXPECT_EQ(decoded_mono.pixels, (std::vector<Rgb>{second, first, first, second}));

  Bytes colour = BuildBitmap(Image{1, 1, {{0, 0, 0}}}, 24, true);
  colour[54] = 0x10;  // blue
  colour[55] = 0x20;  // green
  colour[56] = 0x30;  // red
  EXPECT_EQ(ReadBitmap(colour).At(0, 0), first);
}

TEST(ImageCodecTest, IconDirectoryDescribesOneImageOfTheBitmapSize) {
  const Bytes icon = WriteIcon(Pattern(32, 33, 2));
  ASSERT_EQ(icon.size(), 22U + 40 + 32 * 33 * 4 + 4 * 33);
  EXPECT_EQ(U32At(icon, 0), 0x0001'0000U);  // reserved 0, type 1 (icon)
  EXPECT_EQ(icon[4], 1);                    // one image
  EXPECT_EQ(icon[6], 32);
  EXPECT_EQ(icon[7], 33);
  EXPECT_EQ(U32At(icon, 10), 0x0020'0001U);  // one plane, 32 bits
  EXPECT_EQ(U32At(icon, 14), icon.size() - 22);
  EXPECT_EQ(U32At(icon, 18), 22U);
  EXPECT_EQ(U32At(icon, 22), 40U);
  EXPECT_EQ(U32At(icon, 30), 66U);  // colour rows and mask rows

  const Bytes largest = WriteIcon(Pattern(256, 1, 2));
  EXPECT_EQ(largest[6], 0);  // 256 is stored as 0
  for (const auto& [width, height] : {std::pair{257, 1}, std::pair{1, 257}, std::pair{0, 1}}) {
    EXPECT_THROW(static_cast<void>(WriteIcon(Image{width, height, {}})), AppError) << width << "x" << height;
  }
}

// The program reads back only icons it could have written; every other one, and every cut or
// damaged file, is left to the system's loader, never half read.
TEST(ImageCodecTest, ReadsBackOnlyTheOpaqueIconsItWrites) {
  const Image picture = Pattern(32, 33, 2);
  const Bytes icon = WriteIcon(picture);
  const std::optional<Image> read = ReadOpaqueIcon(icon);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->width, 32);
  EXPECT_EQ(read->height, 33);
  EXPECT_EQ(read->pixels, picture.pixels);

  constexpr std::size_t kColours = 22 + 40;
  const std::pair<const char*, std::function<void(Bytes&)>> others[] = {
      {"a translucent pixel", [](Bytes& bytes) { bytes[kColours + 3] = 0x80; }},
      {"a mask bit", [](Bytes& bytes) { bytes.back() = 0x01; }},
      {"24 bits per pixel", [](Bytes& bytes) { bytes[22 + 14] = 24; }},
      {"two images", [](Bytes& bytes) { bytes[4] = 2; }},
      {"a cursor", [](Bytes& bytes) { bytes[2] = 2; }},
      {"an odd stacked height", [](Bytes& bytes) { bytes[22 + 8] = 67; }},
      {"a header past the end", [](Bytes& bytes) { PutU32(bytes, 18, 0xFFFF'FFF0U); }},
  };
  for (const auto& [what, damage] : others) {
    Bytes changed = icon;
    damage(changed);
    EXPECT_FALSE(ReadOpaqueIcon(changed).has_value()) << what;
  }
  for (std::size_t length = 0; length < icon.size(); ++length) {
    const Bytes cut(icon.begin(), icon.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_FALSE(ReadOpaqueIcon(cut).has_value()) << "cut to " << length;
  }
}

TEST(ImageCodecTest, RefusesMalformedHeadersWithTheReason) {
  struct Case {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    const char* reason;
  };
  const Case cases[] = {
      {"signature", 0, 0x4D42'4D41, "does not start with \"BM\""},
      {"core header", test_support::kHeaderSizeField, 12, "header of 12 bytes"},
      {"odd header", test_support::kHeaderSizeField, 41, "header of 41 bytes"},
      {"zero width", test_support::kWidthField, 0, "width 0 is not positive"},
      {"negative width", test_support::kWidthField, 0xFFFF'FFFF, "width -1 is not positive"},
      {"zero height", test_support::kHeightField, 0, "height is zero"},
      {"huge", test_support::kWidthField, 0x7FFF'FFFF, "too large"},
      {"most negative height", test_support::kHeightField, 0x8000'0000, "too large"},
      {"planes", test_support::kPlanesField, 0x0004'0002, "plane count"},
      {"16 bits", test_support::kPlanesField, 0x0010'0001, "16 bits per pixel"},
      {"2 bits", test_support::kPlanesField, 0x0002'0001, "2 bits per pixel"},
      {"run-length", test_support::kCompressionField, 1, "compressed"},
      {"bit fields", test_support::kCompressionField, 3, "compressed"},
      {"palette too long", test_support::kColoursUsedField, 17, "17 colours do not fit 4 bits"},
      {"index beyond palette", test_support::kColoursUsedField, 2, "uses colour"},
      {"pixels inside header", test_support::kPixelOffsetField, 54, "overlaps the header"},
      {"pixels beyond end", test_support::kPixelOffsetField, 0xFFFF'FF00, "truncated"},
  };
  const Bytes valid = BuildBitmap(Pattern(5, 3, 16), 4);
  for (const Case& c : cases) {
    Bytes bytes = valid;
    PutU32(bytes, c.offset, c.value);
    try {
      static_cast<void>(ReadBitmap(bytes));
      ADD_FAILURE() << c.what << " was accepted";
    } catch (const AppError& error) {
      EXPECT_EQ(error.Number(), error_number::kInvalidPicture) << c.what;
      EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos)
          << c.what << ": " << error.what();
    }
  }
}

TEST(ImageCodecTest, RefusesEveryTruncation) {
  for (const unsigned bits : {1U, 4U, 8U, 24U, 32U}) {
    const Bytes whole = BuildBitmap(Pattern(5, 3, 2), bits);
    for (std::size_t length = 0; length < whole.size(); ++length) {
      const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
      EXPECT_THROW(static_cast<void>(ReadBitmap(cut)), AppError) << bits << " bits cut to " << length;
    }
  }
}

}  // namespace
}  // namespace wethrix::imaging
