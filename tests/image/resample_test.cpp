#include "image/resample.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/errors.hpp"
#include "tests/image/bitmap_builder.hpp"

namespace wethrix::imaging {
namespace {

Rgb Grey(std::uint8_t level) {
  return {level, level, level};
}

Image Greys(std::int32_t width, std::int32_t height, const std::vector<std::uint8_t>& levels) {
  Image image{width, height, {}};
  for (const std::uint8_t level : levels) image.pixels.push_back(Grey(level));
  image.pixels.shrink_to_fit();  // a read past the last pixel then leaves the allocation
  return image;
}

// Alternating black and white columns: nearest-pixel shrinking keeps one of the two.
Image Stripes(std::int32_t width, std::int32_t height) {
  std::vector<std::uint8_t> levels;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) levels.push_back(x % 2 == 0 ? 0 : 255);
  }
  return Greys(width, height, levels);
}

TEST(ResampleTest, EachPixelIsTheWeightedMeanOfTheAreaItCovers) {
  struct Case {
    std::string name;
    Image source;
    std::int32_t width;
    std::int32_t height;
    Image expected;
  };
  const Image stripes_16 = Greys(16, 16, std::vector<std::uint8_t>(256, 128));
  const Case cases[] = {
      {"one pixel stays", Greys(1, 1, {77}), 1, 1, Greys(1, 1, {77})},
      {"same size is a copy", Greys(3, 2, {1, 2, 3, 4, 5, 6}), 3, 2, Greys(3, 2, {1, 2, 3, 4, 5, 6})},
      {"a square to one pixel, halves round up", Greys(2, 2, {0, 255, 255, 0}), 1, 1, Greys(1, 1, {128})},
      {"a third of the middle pixel falls in each half", Greys(3, 1, {0, 90, 180}), 2, 1,
       Greys(2, 1, {30, 150})},
      {"rows weigh like columns", Greys(1, 3, {0, 90, 180}), 1, 2, Greys(1, 2, {30, 150})},
      {"one pixel fills a larger picture", Greys(1, 1, {9}), 3, 2, Greys(3, 2, {9, 9, 9, 9, 9, 9})},
      {"growing mixes neighbours in proportion", Greys(2, 1, {0, 240}), 3, 1, Greys(3, 1, {0, 120, 240})},
      {"stripes of the refresh picture become grey at 16", Stripes(32, 33), 16, 16, stripes_16},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResampleByAreaAverage(c.source, c.width, c.height).pixels, c.expected.pixels) << c.name;
  }
}

TEST(ResampleTest, KeepsTopRowsAtTheTopAndSharesTheRowAcrossTheBorder) {
  Image source{32, 33, {}};
  for (std::int32_t y = 0; y < 33; ++y) {
    source.pixels.insert(source.pixels.end(), 32, y < 16 ? Rgb{255, 0, 0} : Rgb{0, 0, 255});
  }
  const Image shrunk = ResampleByAreaAverage(source, 16, 16);
  ASSERT_EQ(shrunk.width, 16);
  ASSERT_EQ(shrunk.height, 16);
  EXPECT_EQ(shrunk.At(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(shrunk.At(15, 15), (Rgb{0, 0, 255}));
  // Target row 7 covers source rows 14.44 to 16.5: 25 parts red to 8 parts blue in 33.
  EXPECT_EQ(shrunk.At(3, 7), (Rgb{193, 0, 62}));
}

// Every target pixel covers the same share of the source, so the picture's mean brightness
// moves only by the rounding of single pixels, whatever the sizes.
TEST(ResampleTest, KeepsTheMeanOfEveryChannelAtOddSizes) {
  struct Sizes {
    std::int32_t source_width, source_height, width, height;
  };
  const Sizes cases[] = {{32, 33, 16, 16}, {32, 33, 20, 20}, {32, 33, 24, 24}, {32, 33, 32, 32},
                         {32, 33, 40, 40}, {33, 32, 17, 5},  {7, 5, 3, 2},     {5, 3, 8, 7}};
  const auto mean_red = [](const Image& image) {
    double sum = 0;
    for (const Rgb& pixel : image.pixels) sum += pixel.red;
    return sum / static_cast<double>(image.pixels.size());
  };
  for (const Sizes& s : cases) {
    Image source = test_support::Pattern(s.source_width, s.source_height, 7);
    source.pixels.shrink_to_fit();
    const Image target = ResampleByAreaAverage(source, s.width, s.height);
    ASSERT_EQ(target.pixels.size(), static_cast<std::size_t>(s.width * s.height));
    EXPECT_NEAR(mean_red(target), mean_red(source), 0.5)
        << s.source_width << "x" << s.source_height << " to " << s.width << "x" << s.height;
  }
}

TEST(ResampleTest, RefusesEmptyOversizedAndInconsistentPictures) {
  struct Case {
    std::string name;
    Image source;
    std::int32_t width;
    std::int32_t height;
  };
  Image short_of_pixels = Greys(2, 2, {1, 2, 3});
  const Case cases[] = {
      {"no target width", Greys(1, 1, {0}), 0, 1},
      {"negative target height", Greys(1, 1, {0}), 1, -16},
      {"target too wide", Greys(1, 1, {0}), kMaxResampleSide + 1, 1},
      {"target too large to hold", Greys(1, 1, {0}), kMaxResampleSide, kMaxResampleSide},
      {"a row turned into a column", Greys(kMaxResampleSide, 1, std::vector<std::uint8_t>(kMaxResampleSide)),
       1, kMaxResampleSide},
      {"empty source", Image{}, 16, 16},
      {"fewer pixels than the size", short_of_pixels, 1, 1},
      {"negative source size with pixels", Image{-1, -1, {Grey(0)}}, 1, 1},
  };
  for (const Case& c : cases) {
    try {
      static_cast<void>(ResampleByAreaAverage(c.source, c.width, c.height));
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const AppError& error) {
      EXPECT_EQ(error.Number(), error_number::kInvalidPicture) << c.name;
    }
  }
}

}  // namespace
}  // namespace wethrix::imaging
