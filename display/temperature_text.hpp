#pragma once
// The texts one refresh shows: in the window, the tray tooltip, the icon and the balloon.
#include <string>
#include <string_view>

#include "app/reading.hpp"

namespace wethrix {

struct RefreshTexts {
  std::string temperature;  // "78 °F", or what stands in its place when there is no reading
  std::string icon;         // drawn into the tray icon
  std::string label2;       // the sentence of the main window
  std::string tooltip;
  std::string balloon;
};

// " °F", " °C", or empty when neither unit is chosen.
[[nodiscard]] std::string UnitText(Unit unit);

// `reason` explains a missing reading (a NaN temperature).
[[nodiscard]] RefreshTexts BuildRefreshTexts(double temperature, std::string_view reason, Unit unit,
                                             std::string_view city_name,
                                             std::string_view push_button5_caption);

// The part of the icon text that must stay readable: the number with its sign.
[[nodiscard]] std::string_view LeadingNumber(std::string_view icon_text);

}  // namespace wethrix
