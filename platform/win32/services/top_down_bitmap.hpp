#pragma once
// The one layout the program's pictures have in memory: 32 bits per pixel, rows from the top
// down (the layout of imaging::Image and of a picture box's image).
#include <windows.h>

namespace wethrix::win32 {

[[nodiscard]] inline BITMAPINFO TopDownBitmapInfo(LONG width, LONG height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace wethrix::win32
