#pragma once
// The reading every subsystem passes around: a whole number of degrees in the chosen unit, or a
// value that says why there is none.
#include <cstddef>

namespace wethrix {

enum class Unit { kFahrenheit, kCelsius, kNone };

// The temperature result that means the service refused the API key; compared exactly.
inline constexpr double kRefusedKeyTemperature = -5000;

// How much of a place name the texts on screen show; enough for any real place, and the tray
// tooltip keeps room for the reading after it.
inline constexpr std::size_t kPlaceNameShown = 64;

}  // namespace wethrix
