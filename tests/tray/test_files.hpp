#pragma once
// Small picture files written by the tests themselves, in the temporary folder.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/wide.hpp"

namespace wethrix::test {

inline std::string TempPath(const std::string& name) {
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  return win32::Narrow(folder) + name;
}

inline void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A 16 x 16, 32 bits per pixel device-independent bitmap without file header; `height_factor`
// is 2 inside an icon (colour and mask), 1 in a bitmap file.
inline std::vector<std::uint8_t> Dib16(unsigned height_factor, std::uint32_t colour) {
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, 16);
  Put32(out, 16 * height_factor);
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int i = 0; i < 16 * 16; ++i) Put32(out, colour);
  if (height_factor == 2) out.resize(out.size() + 16 * 4, 0);  // mask rows, 4 bytes each
  return out;
}

inline std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = TempPath(name);
  std::ofstream(std::filesystem::path(win32::Widen(path)), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

inline std::string WriteIconFile(const std::string& name) {
  const std::vector<std::uint8_t> image = Dib16(2, 0xFF2060C0);
  std::vector<std::uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);  // icon
  Put16(file, 1);  // one image
  file.insert(file.end(), {16, 16, 0, 0});
  Put16(file, 1);
  Put16(file, 32);
  Put32(file, static_cast<std::uint32_t>(image.size()));
  Put32(file, 6 + 16);
  file.insert(file.end(), image.begin(), image.end());
  return WriteFile(name, file);
}

inline std::string WriteBitmapFile(const std::string& name) {
  const std::vector<std::uint8_t> image = Dib16(1, 0xFF00FF00);
  std::vector<std::uint8_t> file{'B', 'M'};
  Put32(file, static_cast<std::uint32_t>(14 + image.size()));
  Put32(file, 0);
  Put32(file, 14 + 40);
  file.insert(file.end(), image.begin(), image.end());
  return WriteFile(name, file);
}

}  // namespace wethrix::test
