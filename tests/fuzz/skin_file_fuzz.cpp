// The skin file: whatever it holds, the palette read from it is what it says, however the lines
// end, whether a byte order mark leads, and when it is read twice over.
#include <cstdint>
#include <cstdio>
#include <string>

#include "options/skin_file.hpp"
#include "property.hpp"

namespace wethrix {
namespace {

using fuzz::Check;

std::string WithCrLf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

// The palette written back as a skin file, one "name=#RRGGBB" a line.
std::string SkinFileOf(const SkinPalette& palette) {
  std::string out;
  const auto line = [&out](const char* name, const std::optional<Color>& color) {
    if (!color) return;
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", *color & 0xFFU, (*color >> 8U) & 0xFFU,
                  (*color >> 16U) & 0xFFU);
    out += std::string(name) + "=#" + hex + "\n";
  };
  line("window", palette.window);
  line("text", palette.text);
  line("frame_text", palette.frame_text);
  line("button", palette.button);
  return out;
}

bool IsRgb(const std::optional<Color>& color) {
  return !color || *color <= 0xFFFFFFU;
}

}  // namespace
}  // namespace wethrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wethrix;
  const std::string_view text = fuzz::Text(data, size);
  const SkinPalette palette = ParseSkinFile(text);
  Check(IsRgb(palette.window) && IsRgb(palette.text) && IsRgb(palette.frame_text) && IsRgb(palette.button),
        "every colour is a plain RGB value");
  Check(ParseSkinFile(SkinFileOf(palette)) == palette,
        "a palette written as a skin file reads back the same");
  Check(ParseSkinFile(WithCrLf(text)) == palette, "CR LF line ends read as LF ones");
  Check(ParseSkinFile(std::string(text) + "\n" + std::string(text)) == palette,
        "a file read twice over is the same");
  if (!text.starts_with("\xEF\xBB\xBF")) {
    Check(ParseSkinFile("\xEF\xBB\xBF" + std::string(text)) == palette, "a byte order mark changes nothing");
  }
  return 0;
}
