#pragma once
// Numbers stored as text are read the way the user's locale writes them, and strictly: a text
// that is not plainly a number is refused instead of guessed at.
#include <string>
#include <string_view>

#include "platform/environment.hpp"

namespace wethrix {

// The decimal separator of the user's current locale, asked afresh on every call. A separator
// that could be mistaken for part of a number (empty, a digit, a sign, a space, "e") reads as ".".
[[nodiscard]] std::string LocaleDecimalSeparator(const Environment& environment);

// Reads an optionally signed decimal number with an optional exponent ("-12", "65535,5",
// "1e3") written with `decimal_separator` (from LocaleDecimalSeparator); surrounding spaces are
// allowed, grouping, hex and words such as "NaN" are not.
// Throws TypeMismatch for anything else and Overflow when the value does not fit a double.
[[nodiscard]] double ParseLocaleNumber(std::string_view text, std::string_view decimal_separator);

// Rounds to the nearest whole number, a half to the even neighbour; never returns minus zero.
[[nodiscard]] double RoundHalfEven(double value);

}  // namespace wethrix
