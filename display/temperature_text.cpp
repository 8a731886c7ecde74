#include "display/temperature_text.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>

#include "app/application_title.hpp"
#include "platform/text.hpp"

namespace wethrix {
namespace {

constexpr std::string_view kDegree = "\xC2\xB0";  // U+00B0

std::string WholeNumber(double value) {
  std::array<char, 400> buffer{};                // room for any double written out in full
  const double zero_not_negative = value + 0.0;  // never "-0"
  const std::to_chars_result written = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                                     zero_not_negative, std::chars_format::fixed, 0);
  return {buffer.data(), written.ptr};
}

// Appends in one pass; chains of operator+ trip a false -Wrestrict in GCC 12 at -O3.
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

std::string MissingKeyHint(std::string_view push_button5_caption) {
  return Join({"API Key not found. Please click on '", push_button5_caption, "' now."});
}

std::string Sentence(std::string_view city_name, std::string_view ending) {
  return Join({"The current temperature in ", city_name, " is ", ending});
}

}  // namespace

std::string UnitText(Unit unit) {
  switch (unit) {
    case Unit::kFahrenheit:
      return Join({" ", kDegree, "F"});
    case Unit::kCelsius:
      return Join({" ", kDegree, "C"});
    case Unit::kNone:
      break;
  }
  return {};
}

RefreshTexts BuildRefreshTexts(double temperature, std::string_view reason, Unit unit,
                               std::string_view city_name, std::string_view push_button5_caption) {
  const std::string place = ShortenForDisplay(city_name, kPlaceNameShown);
  RefreshTexts texts;
  if (temperature == kRefusedKeyTemperature) {
    texts.temperature = MissingKeyHint(push_button5_caption);
    texts.icon = "N/A";
    texts.label2 = Sentence(place, Join({"unavailable because ", texts.temperature}));
  } else if (!std::isfinite(temperature)) {
    texts.temperature = std::string(reason);
    texts.icon = "N/A";
    texts.label2 = Sentence(place, Join({"unavailable because ", texts.temperature, "."}));
  } else {
    texts.temperature = Join({WholeNumber(temperature), UnitText(unit)});
    texts.icon = texts.temperature;
    texts.label2 = Sentence(place, texts.temperature);
  }
  const std::string place_and_reading = Join({place, ", ", texts.temperature});
  texts.tooltip = Join({kProductName, "\r\n", place_and_reading});
  texts.balloon = place_and_reading;
  return texts;
}

std::string_view LeadingNumber(std::string_view icon_text) {
  return icon_text.substr(0, icon_text.find(' '));
}

}  // namespace wethrix
