#pragma once
// Everything the program remembers between runs: one text value per key under application
// "Kestrivon", section "Wethrix", and the text forms each kind of value takes.
#include <string>
#include <string_view>

#include "platform/environment.hpp"
#include "platform/picture_box.hpp"
#include "platform/settings_store.hpp"

namespace wethrix {

inline constexpr std::string_view kSettingsApplication = "Kestrivon";
inline constexpr std::string_view kSettingsSection = "Wethrix";

// Every key the program uses, with the default a first run reads.
namespace setting {
inline constexpr std::string_view kText1 = "Text1";      // the location, as typed
inline constexpr std::string_view kText2 = "Text2";      // the last temperature text
inline constexpr std::string_view kOption4 = "Option4";  // Fahrenheit selected
inline constexpr std::string_view kOption5 = "Option5";  // Celsius selected
inline constexpr std::string_view kFontColor = "Font Color";
inline constexpr std::string_view kBackgroundColor = "Background Color";
inline constexpr std::string_view kWindowsStartup = "Windows Startup";
inline constexpr std::string_view kMinimized = "Minimized";
inline constexpr std::string_view kApiKey = "APIKey";

inline constexpr std::string_view kText1Default = "San Diego CA";
inline constexpr std::string_view kText2Default = "70";
inline constexpr bool kOption4Default = true;
inline constexpr bool kOption5Default = false;
inline constexpr Color kFontColorDefault = 65535;    // yellow
inline constexpr Color kBackgroundColorDefault = 0;  // black
inline constexpr std::string_view kApiKeyDefault{};
}  // namespace setting

// Typed access to the store. Reads never fail on a missing value; a stored text that cannot be
// converted throws TypeMismatch or Overflow for the caller's error trap. Numbers are read with
// the user's current decimal separator, asked of `environment` on every read.
class Settings {
 public:
  Settings(SettingsStore& store, const Environment& environment) : store_(store), environment_(environment) {}

  [[nodiscard]] std::string Text(std::string_view key, std::string_view fallback) const;
  void SetText(std::string_view key, std::string_view value);

  // "On" exactly, case included, is on; any other text is off. A missing value reads as "Off".
  [[nodiscard]] bool OnOff(std::string_view key) const;
  void SetOnOff(std::string_view key, bool on);

  // A number equal to 1 is selected ("1", "01", "1.0"); written as "1" or "0".
  [[nodiscard]] bool UnitFlag(std::string_view key, bool fallback) const;
  void SetUnitFlag(std::string_view key, bool selected);

  // The signed 32-bit decimal text of the colour; a fraction rounds half to even.
  [[nodiscard]] Color ColorValue(std::string_view key, Color fallback) const;
  void SetColorValue(std::string_view key, Color color);

 private:
  [[nodiscard]] double Number(std::string_view key, std::string_view fallback) const;

  SettingsStore& store_;
  const Environment& environment_;
};

// The text a colour is stored as: its signed 32-bit value in decimal ("-2147483633" for the
// button-face colour 0x8000000F).
[[nodiscard]] std::string ColorText(Color color);

}  // namespace wethrix
