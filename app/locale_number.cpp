#include "app/locale_number.hpp"

#include <charconv>
#include <cmath>
#include <string>

#include "platform/errors.hpp"
#include "platform/text.hpp"

namespace wethrix {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
// Copies a run of digits from `text` to `out`; returns how many there were.
std::size_t TakeDigits(std::string_view& text, std::string& out) {
  std::size_t count = 0;
  while (count < text.size() && IsDigit(text[count])) ++count;
  out.append(text.substr(0, count));
  text.remove_prefix(count);
  return count;
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (prefix.empty() || !text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

void TakeSign(std::string_view& text, std::string& out) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    if (text.front() == '-') out.push_back('-');
    text.remove_prefix(1);
  }
}

// Rewrites the locale's form into the portable one ('.' separator, no '+'), or throws.
std::string PortableForm(std::string_view text, std::string_view decimal_separator) {
  std::string out;
  TakeSign(text, out);
  std::size_t digits = TakeDigits(text, out);
  if (TakePrefix(text, decimal_separator)) {
    out.push_back('.');
    digits += TakeDigits(text, out);
  }
  if (digits == 0) throw TypeMismatch();
  if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
    text.remove_prefix(1);
    out.push_back('e');
    TakeSign(text, out);
    if (TakeDigits(text, out) == 0) throw TypeMismatch();
  }
  if (!text.empty()) throw TypeMismatch();
  return out;
}

}  // namespace

std::string LocaleDecimalSeparator(const Environment& environment) {
  std::string separator = environment.DecimalSeparator();
  const bool usable = !separator.empty() && separator.find_first_of("0123456789+-eE \t") == std::string::npos;
  return usable ? separator : ".";
}

double ParseLocaleNumber(std::string_view text, std::string_view decimal_separator) {
  const std::string portable =
      PortableForm(Trim(text, " \t"), decimal_separator.empty() ? "." : decimal_separator);
  double value = 0;
  const auto [end, error] = std::from_chars(portable.data(), portable.data() + portable.size(), value);
  if (error == std::errc::result_out_of_range) throw Overflow();
  if (error != std::errc{} || end != portable.data() + portable.size()) throw TypeMismatch();
  return value;
}

double RoundHalfEven(double value) {
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return whole + 0.0;  // turns minus zero into zero
}

}  // namespace wethrix
