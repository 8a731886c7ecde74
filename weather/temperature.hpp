#pragma once
// Kelvin, as the service reports it, brought to the chosen unit.
#include "app/reading.hpp"

namespace wethrix {

inline constexpr double kKelvinOffset = 273.15;

// Converts and rounds half to even. The service's hundredths of a kelvin are honoured exactly, so a
// reading that is a true half degree (274.65 K is 1.5 °C) rounds as a half. kNone leaves kelvin.
[[nodiscard]] double WholeDegrees(double kelvin, Unit unit);

}  // namespace wethrix
