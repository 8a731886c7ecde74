// The skin file: whatever it holds, the palette read from it is what it says, however the lines
// end, whether a byte order mark leads, and when it is read twice over.
#include <cstdint>
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
  const auto hex = [](Color byte) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return std::string{kDigits[(byte >> 4U) & 0xFU], kDigits[byte & 0xFU]};
  };
  const auto line = [&](const char* name, const std::optional<Color>& color) {
    if (!color) return;
    out += std::string(name) + "=#" + hex(*color) + hex(*color >> 8U) + hex(*color >> 16U) + "\n";
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
