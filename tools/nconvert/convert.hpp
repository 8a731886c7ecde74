#pragma once
#include <optional>
#include <span>
#include <string>

namespace wethrix::nconvert {

enum class ExitCode : int { kConverted = 0, kBadCommandLine = 1, kBadBitmap = 2, kCannotWrite = 3 };

// UTF-8 paths.
struct Conversion {
  std::string bitmap;
  std::string icon;  // beside the bitmap, same base name, extension .ico
};

// Accepts exactly "-out ico <bitmap file>" (UTF-8); anything else gives nullopt.
[[nodiscard]] std::optional<Conversion> ParseCommandLine(std::span<const std::string> arguments);

// One run of the converter for its UTF-8 arguments (without the program name). A failure appends
// one line to `errors` and leaves an earlier icon file as it was: the icon is written to a
// temporary file first and only then replaces the old one.
[[nodiscard]] ExitCode RunConverter(std::span<const std::string> arguments, std::string& errors);

}  // namespace wethrix::nconvert
