// The stored settings' text forms: numbers and colours read under the user's decimal separator.
// Input: a first line with the locale's separator, then the stored text; an input without a
// line break is a text read with ".".
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/locale_number.hpp"
#include "app/settings.hpp"
#include "platform/errors.hpp"
#include "platform/fakes/fake_services.hpp"
#include "property.hpp"

namespace wethrix {
namespace {

using fuzz::Check;

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    if (text.substr(at).starts_with(from)) {
      out += to;
      at += from.size();
    } else {
      out.push_back(text[at++]);
    }
  }
  return out;
}

bool IsConversionError(const AppError& error) {
  return error.Number() == error_number::kTypeMismatch || error.Number() == error_number::kOverflow;
}

// The C library's reading of the same number in the portable form is the reference.
void CheckNumber(std::string_view text, const std::string& separator) {
  const std::string portable = ReplaceAll(text, separator, ".");
  double value = 0;
  try {
    value = ParseLocaleNumber(text, separator);
  } catch (const AppError& error) {
    Check(IsConversionError(error), "a number that cannot be read is a type mismatch or an overflow");
    if (error.Number() == error_number::kOverflow) {
      errno = 0;
      static_cast<void>(std::strtod(portable.c_str(), nullptr));
      Check(errno == ERANGE, "an overflow is a number a double cannot hold");
    }
    return;
  }
  Check(std::isfinite(value), "a number read is finite");
  Check(value == std::strtod(portable.c_str(), nullptr), "a number reads as the C library reads it");
  const double whole = RoundHalfEven(value);
  Check(whole == std::floor(whole) && std::fabs(whole - value) <= 0.5,
        "rounding gives the nearest whole number");
  Check(std::fabs(whole - value) < 0.5 || std::fmod(whole, 2.0) == 0.0,
        "a half rounds to the even neighbour");
  Check(!std::signbit(whole) || whole < 0, "rounding never gives minus zero");
}

// A colour read is stored as it reads, and every colour survives its own text form.
void CheckColor(std::string_view text, const std::string& separator, std::uint32_t any_color) {
  fakes::FakeSettingsStore store;
  fakes::FakeEnvironment environment;
  environment.decimal_separator = separator;
  Settings settings(store, environment);
  settings.SetText(setting::kFontColor, text);
  try {
    const Color read = settings.ColorValue(setting::kFontColor, 0);
    settings.SetColorValue(setting::kFontColor, read);
    Check(settings.ColorValue(setting::kFontColor, 0) == read,
          "a colour read back from its text is the same");
  } catch (const AppError& error) {
    Check(IsConversionError(error), "a colour that cannot be read is a type mismatch or an overflow");
  }
  settings.SetColorValue(setting::kBackgroundColor, any_color);
  Check(settings.ColorValue(setting::kBackgroundColor, 0) == any_color,
        "every colour survives its text form");
}

}  // namespace
}  // namespace wethrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wethrix;
  const std::string_view input = fuzz::Text(data, size);
  const auto line_end = input.find('\n');
  fakes::FakeEnvironment environment;
  environment.decimal_separator = line_end == std::string_view::npos ? "." : input.substr(0, line_end);
  const std::string separator = LocaleDecimalSeparator(environment);
  const std::string_view text = line_end == std::string_view::npos ? input : input.substr(line_end + 1);
  std::uint32_t any_color = 0;
  std::memcpy(&any_color, text.data(), std::min<std::size_t>(text.size(), sizeof any_color));
  CheckNumber(text, separator);
  CheckColor(text, separator, any_color);
  return 0;
}
