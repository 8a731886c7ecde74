#pragma once
// Small picture files written by the tests themselves, in the temporary folder.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/bitmap_writer.hpp"
#include "image/icon_writer.hpp"
#include "platform/win32/wide.hpp"

namespace wethrix::test {

inline std::string TempPath(const std::string& name) {
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  return win32::Narrow(folder) + name;
}

inline std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::string path = TempPath(name);
  std::ofstream(std::filesystem::path(win32::Widen(path)), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// A 16 x 16 icon of one colour, written by the converter's own icon writer.
inline std::string WriteIconFile(const std::string& name) {
  const imaging::Image image{16, 16,
                             std::vector<imaging::Rgb>(std::size_t{16} * 16, imaging::Rgb{0x20, 0x60, 0xC0})};
  return WriteFile(name, imaging::WriteIcon(image));
}

// A 16 x 16 bitmap of one colour, written as a picture box saves one.
inline std::string WriteBitmapFile(const std::string& name) {
  const std::vector<std::uint32_t> green(std::size_t{16} * 16, 0x0000FF00);
  return WriteFile(name, imaging::EncodeBitmapFile(16, 16, green));
}

}  // namespace wethrix::test
