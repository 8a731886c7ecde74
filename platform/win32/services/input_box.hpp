#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace wethrix::win32 {

// A small modal dialog: the prompt, a one-line field holding `default_text` all selected, OK and
// Cancel (Enter and Esc). Returns the text typed, or the empty text on Cancel.
[[nodiscard]] std::string RunInputBox(HWND owner, std::string_view prompt, std::string_view title,
                                      std::string_view default_text);

}  // namespace wethrix::win32
