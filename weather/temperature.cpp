#include "weather/temperature.hpp"

#include <cmath>

#include "app/locale_number.hpp"

namespace wethrix {
namespace {

// Binary doubles cannot hold 273.15 or 1.8 exactly; dropping what lies below a millionth of a
// degree removes that noise before the tie test.
double WithoutBinaryNoise(double degrees) {
  return std::round(degrees * 1e6) / 1e6;
}

double Convert(double kelvin, Unit unit) {
  switch (unit) {
    case Unit::kFahrenheit:
      return (kelvin - kKelvinOffset) * 1.8 + 32;
    case Unit::kCelsius:
      return kelvin - kKelvinOffset;
    case Unit::kNone:
      break;
  }
  return kelvin;
}

}  // namespace

double WholeDegrees(double kelvin, Unit unit) {
  return RoundHalfEven(WithoutBinaryNoise(Convert(kelvin, unit)));
}

}  // namespace wethrix
