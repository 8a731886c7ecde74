#include "weather/temperature.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace wethrix {
namespace {

TEST(TemperatureTest, ConvertsWithTheTrueKelvinOffsetAndRoundsHalfToEven) {
  struct Case {
    double kelvin;
    Unit unit;
    double expected;
  };
  const Case cases[] = {
      {300.15, Unit::kCelsius, 27},    {300.15, Unit::kFahrenheit, 81},  // 80.87 °F
      {289.15, Unit::kCelsius, 16},    {289.15, Unit::kFahrenheit, 61},  // 60.8 °F
      {273.15, Unit::kCelsius, 0},     {273.15, Unit::kFahrenheit, 32},
      {273.65, Unit::kCelsius, 0},     {274.65, Unit::kCelsius, 2},      // 0.5 and 1.5 °C
      {275.65, Unit::kCelsius, 2},     {275.65, Unit::kFahrenheit, 36},  // 2.5 °C, 36.5 °F
      {272.65, Unit::kCelsius, 0},     {271.65, Unit::kCelsius, -2},     // -0.5 and -1.5 °C
      {255.372, Unit::kFahrenheit, 0}, {233.15, Unit::kFahrenheit, -40},
      {289.6, Unit::kNone, 290},       {273.5, Unit::kNone, 274},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WholeDegrees(c.kelvin, c.unit), c.expected) << c.kelvin << " unit " << static_cast<int>(c.unit);
  }
}

TEST(TemperatureTest, AResultThatRoundsToMinusZeroIsZero) {
  for (const double kelvin : {273.0, 272.9, 272.65}) {
    const double celsius = WholeDegrees(kelvin, Unit::kCelsius);
    EXPECT_EQ(celsius, 0) << kelvin;
    EXPECT_FALSE(std::signbit(celsius)) << kelvin;
  }
  EXPECT_FALSE(std::signbit(WholeDegrees(255.3, Unit::kFahrenheit)));  // -0.13 °F
}

}  // namespace
}  // namespace wethrix
