#include "tools/nconvert/convert.hpp"

#include "image/icon_writer.hpp"
#include "platform/errors.hpp"
#include "tools/nconvert/system.hpp"

namespace wethrix::nconvert {
namespace {

constexpr std::uintmax_t kMaxBitmapBytes = std::uintmax_t{64} << 20U;

// The name with its extension replaced by ".ico", or ".ico" added when it has none.
std::string IconPathFor(const std::string& bitmap) {
  const std::size_t name = bitmap.find_last_of("\\/") + 1;  // npos + 1 is 0
  const std::size_t dot = bitmap.rfind('.');
  const bool has_extension = dot != std::string::npos && dot > name;
  return (has_extension ? bitmap.substr(0, dot) : bitmap) + ".ico";
}

ExitCode Fail(std::string& errors, ExitCode code, const std::string& message) {
  errors += "nconvert: " + message + "\n";
  return code;
}

}  // namespace

std::optional<Conversion> ParseCommandLine(std::span<const std::string> arguments) {
  if (arguments.size() != 3 || arguments[0] != "-out" || arguments[1] != "ico" || arguments[2].empty()) {
    return std::nullopt;
  }
  return Conversion{arguments[2], IconPathFor(arguments[2])};
}

ExitCode RunConverter(std::span<const std::string> arguments, std::string& errors) {
  const auto conversion = ParseCommandLine(arguments);
  if (!conversion) return Fail(errors, ExitCode::kBadCommandLine, "usage: nconvert -out ico <bitmap file>");
  Bytes icon;
  try {
    icon = imaging::IconFileOfBitmapFile(ReadWholeFile(conversion->bitmap, kMaxBitmapBytes));
  } catch (const AppError& error) {
    return Fail(errors, ExitCode::kBadBitmap,
                "cannot convert \"" + conversion->bitmap + "\": " + error.what());
  }
  try {
    ReplaceFileContents(conversion->icon, icon);
  } catch (const AppError& error) {
    return Fail(errors, ExitCode::kCannotWrite, "cannot write \"" + conversion->icon + "\": " + error.what());
  }
  return ExitCode::kConverted;
}

}  // namespace wethrix::nconvert
