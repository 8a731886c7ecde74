#pragma once
// UTF-8 is the program's text; UTF-16 exists only where text crosses into Win32.
#include <string>
#include <string_view>

namespace wethrix {

// Invalid input sequences become U+FFFD rather than failing: text from the network or the
// registry must never stop the program.
[[nodiscard]] std::u16string Utf8ToUtf16(std::string_view text);
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view text);

// Cuts `text` to at most `max_units` UTF-16 units without splitting a surrogate pair.
[[nodiscard]] std::u16string_view CutUtf16(std::u16string_view text, std::size_t max_units);

// `text` when it has at most `max_units` UTF-16 units, else its start and an ellipsis within
// that length: a name from the network or the registry can be any length, a line on screen not.
[[nodiscard]] std::string ShortenForDisplay(std::string_view text, std::size_t max_units);

// A to Z become a to z and every other byte stays, so UTF-8 passes through untouched.
[[nodiscard]] std::string LowerAscii(std::string_view text);

// `text` without the leading and trailing characters that are among `blanks`.
[[nodiscard]] std::string_view Trim(std::string_view text, std::string_view blanks);

}  // namespace wethrix
