#include "app/locale_number.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/errors.hpp"
#include "platform/fakes/fake_services.hpp"

namespace wethrix {
namespace {

TEST(LocaleNumberTest, ReadsNumbersInTheLocalesForm) {
  struct Case {
    std::string text;
    std::string separator;
    double expected;
  };
  const Case cases[] = {
      {"1", ".", 1},
      {"01", ".", 1},
      {" 1 ", ".", 1},
      {"+1", ".", 1},
      {"-12", ".", -12},
      {"65535.5", ".", 65535.5},
      {"65535,5", ",", 65535.5},
      {".5", ".", 0.5},
      {"5.", ".", 5},
      {"1e3", ".", 1000},
      {"2,5E-1", ",", 0.25},
      {"7", "", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLocaleNumber(c.text, c.separator), c.expected) << c.text;
}

// The number of the error the text raises; 0 when it reads as a number.
int ErrorNumber(const std::string& text, std::string_view separator) {
  try {
    (void)ParseLocaleNumber(text, separator);
    return 0;
  } catch (const AppError& error) {
    return error.Number();
  }
}

TEST(LocaleNumberTest, RefusesWhatIsNotPlainlyANumber) {
  const std::string refused[] = {"",    " ",   "yes", "1.5", "1,000.5", "0x10", "&H10",
                                 "NaN", "inf", "-",   "e5",  "1e",      "1e+",  "1 2",
                                 "--1", "1-",  ".",   ",",   "1.0",     "\xff", std::string("1\0", 2)};
  for (const auto& text : refused) EXPECT_EQ(ErrorNumber(text, ","), error_number::kTypeMismatch) << text;
}

TEST(LocaleNumberTest, ValuesBeyondADoubleOverflow) {
  for (const std::string& text : {std::string("1e999"), std::string("-1e999"), std::string(400, '9')}) {
    EXPECT_EQ(ErrorNumber(text, "."), error_number::kOverflow) << text;
  }
}

TEST(LocaleNumberTest, ASeparatorThatWouldBeMistakenForPartOfANumberReadsAsAPoint) {
  struct Case {
    const char* given;
    const char* used;
  };
  const Case cases[] = {{",", ","}, {".", "."}, {"", "."}, {"5", "."}, {"-", "."}, {"e", "."}, {" ", "."}};
  for (const auto& c : cases) {
    fakes::FakeEnvironment environment;
    environment.decimal_separator = c.given;
    EXPECT_EQ(LocaleDecimalSeparator(environment), c.used) << "'" << c.given << "'";
  }
}

TEST(LocaleNumberTest, RoundsHalvesToTheEvenNeighbourAndNeverToMinusZero) {
  struct Case {
    double value;
    double expected;
  };
  const Case cases[] = {{0.5, 0},   {1.5, 2},         {2.5, 2},        {-0.5, 0},   {-1.5, -2},
                        {-2.5, -2}, {0.49, 0},        {0.51, 1},       {-0.51, -1}, {80.87, 81},
                        {-0.2, 0},  {65535.5, 65536}, {65534.5, 65534}};
  for (const auto& c : cases) {
    const double rounded = RoundHalfEven(c.value);
    EXPECT_EQ(rounded, c.expected) << c.value;
    EXPECT_FALSE(std::signbit(rounded) && rounded == 0) << c.value;
  }
}

}  // namespace
}  // namespace wethrix
