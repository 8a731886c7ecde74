#pragma once
// The UTF-16 boundary: Win32 takes and returns wchar_t text.
#include <string>
#include <string_view>

namespace wethrix::win32 {

[[nodiscard]] std::wstring Widen(std::string_view utf8);
[[nodiscard]] std::string Narrow(std::wstring_view utf16);

}  // namespace wethrix::win32
