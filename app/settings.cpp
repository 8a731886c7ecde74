#include "app/settings.hpp"

#include <cstdint>
#include <limits>

#include "app/locale_number.hpp"
#include "platform/errors.hpp"

namespace wethrix {
namespace {

constexpr std::string_view kOn = "On";
constexpr std::string_view kOff = "Off";

std::string_view FlagText(bool set) {
  return set ? "1" : "0";
}

}  // namespace

std::string ColorText(Color color) {
  return std::to_string(static_cast<std::int32_t>(color));
}

std::string Settings::Text(std::string_view key, std::string_view fallback) const {
  return store_.Read(kSettingsApplication, kSettingsSection, key, fallback);
}

void Settings::SetText(std::string_view key, std::string_view value) {
  store_.Write(kSettingsApplication, kSettingsSection, key, value);
}

bool Settings::OnOff(std::string_view key) const {
  return Text(key, kOff) == kOn;
}

void Settings::SetOnOff(std::string_view key, bool on) {
  SetText(key, on ? kOn : kOff);
}

bool Settings::UnitFlag(std::string_view key, bool fallback) const {
  return Number(key, FlagText(fallback)) == 1.0;
}

void Settings::SetUnitFlag(std::string_view key, bool selected) {
  SetText(key, FlagText(selected));
}

Color Settings::ColorValue(std::string_view key, Color fallback) const {
  const double rounded = RoundHalfEven(Number(key, ColorText(fallback)));
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max()) {
    throw Overflow();
  }
  return static_cast<Color>(static_cast<std::int32_t>(rounded));
}

void Settings::SetColorValue(std::string_view key, Color color) {
  SetText(key, ColorText(color));
}

double Settings::Number(std::string_view key, std::string_view fallback) const {
  return ParseLocaleNumber(Text(key, fallback), LocaleDecimalSeparator(environment_));
}

}  // namespace wethrix
