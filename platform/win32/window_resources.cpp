#include "platform/win32/window_resources.hpp"

#include "app/resource_ids.h"
#include "platform/win32/check.hpp"
#include "platform/win32/wide.hpp"

namespace wethrix::win32 {
namespace {
constexpr int kFontWeightBold = 700;
}  // namespace

unique_hfont CreateDesignFont(const FontDesign& design, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -PointsToPixels(design.points, static_cast<int>(dpi));
  font.lfWeight = design.bold ? kFontWeightBold : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  Widen(design.face).copy(font.lfFaceName, LF_FACESIZE - 1);
  unique_hfont created(::CreateFontIndirectW(&font));
  if (!created) ThrowLastError();
  return created;
}

unique_hicon LoadApplicationIcon(int width_metric, int height_metric, UINT dpi) {
  unique_hicon icon(static_cast<HICON>(::LoadImageW(
      ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_WETHRIX), IMAGE_ICON,
      ::GetSystemMetricsForDpi(width_metric, dpi), ::GetSystemMetricsForDpi(height_metric, dpi), 0)));
  if (!icon) ThrowLastError();
  return icon;
}

}  // namespace wethrix::win32
