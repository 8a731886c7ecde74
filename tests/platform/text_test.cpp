#include "platform/text.hpp"

#include <gtest/gtest.h>

namespace wethrix {
namespace {

TEST(TextTest, RoundTripsEveryPlaneThroughUtf16) {
  const std::string text =
      "S\xC3\xA3o Paulo 25 \xC2\xB0"
      "C \xF0\x9F\x8C\xA1";  // São Paulo, °, 🌡
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide.size(), 18U);
  EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(TextTest, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    std::string input;
    std::u16string expected;
  };
  const Case cases[] = {
      {"\xFF", u"\uFFFD"},
      {"a\xC3", u"a\uFFFD"},                   // truncated sequence
      {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong slash
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}  // encoded surrogate
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.input), c.expected) << c.input;
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
}

TEST(TextTest, CuttingNeverSplitsASurrogatePair) {
  const std::u16string text = u"ab\U0001F321";
  EXPECT_EQ(CutUtf16(text, 3), u"ab");
  EXPECT_EQ(CutUtf16(text, 4), text);
  EXPECT_EQ(CutUtf16(text, 1), u"a");
}

TEST(TextTest, ShorteningForDisplayEndsInAnEllipsisWithinTheLimit) {
  struct Case {
    std::string text;
    std::size_t max_units;
    std::string expected;
  };
  const std::string ellipsis = "\xE2\x80\xA6";
  const std::string thermometer = "\xF0\x9F\x8C\xA1";  // two UTF-16 units
  const Case cases[] = {
      {"Oslo", 4, "Oslo"},
      {"Oslo", 3, "Os" + ellipsis},
      {"ab" + thermometer + "c", 4, "ab" + ellipsis},
      {"ab" + thermometer + "c", 5, "ab" + thermometer + "c"},
      {std::string(10000, 'L'), 64, std::string(63, 'L') + ellipsis},
      {"Oslo", 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortenForDisplay(c.text, c.max_units), c.expected) << c.text.substr(0, 8);
  }
}

}  // namespace
}  // namespace wethrix
