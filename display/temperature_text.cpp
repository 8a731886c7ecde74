#include "display/temperature_text.hpp"

#include <cmath>
#include <array>
#include <cstdio>

#include "app/application_title.hpp"
#include "weather/get_weather.hpp"

namespace wethrix {
namespace {

constexpr std::string_view kDegree = "\xC2\xB0";  // U+00B0

std::string WholeNumber(double value) {
  std::array<char, 32> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.0f", value + 0.0);  // never "-0"
  return buffer.data();
}

std::string MissingKeyHint(std::string_view push_button5_caption) {
  return "API Key not found. Please click on '" + std::string(push_button5_caption) + "' now.";
}

std::string Sentence(std::string_view city_name, std::string_view ending) {
  return "The current temperature in " + std::string(city_name) + " is " + std::string(ending);
}

}  // namespace

std::string UnitText(Unit unit) {
  switch (unit) {
    case Unit::kFahrenheit:
      return " " + std::string(kDegree) + "F";
    case Unit::kCelsius:
      return " " + std::string(kDegree) + "C";
    case Unit::kNone:
      break;
  }
  return {};
}

RefreshTexts BuildRefreshTexts(double temperature, std::string_view reason, Unit unit, std::string_view city_name,
                               std::string_view push_button5_caption) {
  RefreshTexts texts;
  if (temperature == kRefusedKeyTemperature) {
    texts.temperature = MissingKeyHint(push_button5_caption);
    texts.icon = "N/A";
    texts.label2 = Sentence(city_name, "unavailable because " + texts.temperature);
  } else if (!std::isfinite(temperature)) {
    texts.temperature = std::string(reason);
    texts.icon = "N/A";
    texts.label2 = Sentence(city_name, "unavailable because " + texts.temperature + ".");
  } else {
    texts.temperature = WholeNumber(temperature) + UnitText(unit);
    texts.icon = texts.temperature;
    texts.label2 = Sentence(city_name, texts.temperature);
  }
  const std::string place_and_reading = std::string(city_name) + ", " + texts.temperature;
  texts.tooltip = std::string(kProductName) + "\r\n" + place_and_reading;
  texts.balloon = place_and_reading;
  return texts;
}

std::string_view LeadingNumber(std::string_view icon_text) { return icon_text.substr(0, icon_text.find(' ')); }

}  // namespace wethrix
