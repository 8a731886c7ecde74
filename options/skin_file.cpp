#include "options/skin_file.hpp"

#include <array>
#include <optional>
#include <utility>

#include "platform/text.hpp"

namespace wethrix {
namespace {

using PaletteEntry = std::optional<Color> SkinPalette::*;

constexpr std::array<std::pair<std::string_view, PaletteEntry>, 4> kNames{{
    {"window", &SkinPalette::window},
    {"text", &SkinPalette::text},
    {"frame_text", &SkinPalette::frame_text},
    {"button", &SkinPalette::button},
}};

constexpr std::string_view kBlanks = " \t\r";

[[nodiscard]] bool SameName(std::string_view a, std::string_view b) {
  return LowerAscii(a) == LowerAscii(b);
}

[[nodiscard]] std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

// "#RRGGBB" to 0x00BBGGRR.
[[nodiscard]] std::optional<Color> ParseColor(std::string_view text) {
  if (text.size() != 7 || text.front() != '#') return std::nullopt;
  Color rgb = 0;
  for (const char c : text.substr(1)) {
    const auto digit = HexDigit(c);
    if (!digit) return std::nullopt;
    rgb = (rgb << 4) | static_cast<Color>(*digit);
  }
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
}

void ReadLine(std::string_view line, SkinPalette& palette) {
  line = Trim(line, kBlanks);
  if (line.empty() || line.front() == ';' || line.front() == '#') return;
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view name = Trim(line.substr(0, equals), kBlanks);
  std::string_view value = line.substr(equals + 1);
  value = value.substr(0, value.find(';'));  // a comment may follow the colour
  const auto color = ParseColor(Trim(value, kBlanks));
  if (!color) return;
  for (const auto& [known, entry] : kNames) {
    if (SameName(known, name)) palette.*entry = color;
  }
}

}  // namespace

SkinPalette ParseSkinFile(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  SkinPalette palette;
  while (!text.empty()) {
    const auto end = text.find('\n');
    ReadLine(text.substr(0, end), palette);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return palette;
}

}  // namespace wethrix
