#include "platform/win32/windows/picture_box.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <vector>

#include "image/bitmap_writer.hpp"
#include "platform/win32/services/check.hpp"
#include "platform/win32/services/colors.hpp"
#include "platform/win32/services/top_down_bitmap.hpp"
#include "platform/win32/services/wide.hpp"
#include "platform/win32/windows/bound_window.hpp"

namespace wethrix::win32 {
namespace {

constexpr wchar_t kClassName[] = L"WethrixPictureBox";
constexpr int kInvalidPropertyValue = 380;
constexpr int kFontWeightBold = 700;

// The scale may be negative (a flipped axis) but never zero, infinite or not a number.
void CheckScale(float units) {
  if (units == 0 || !std::isfinite(units)) throw AppError(kInvalidPropertyValue, "Invalid property value");
}

[[nodiscard]] std::vector<std::wstring> Lines(std::string_view text) {
  std::vector<std::wstring> lines;
  std::wstring line;
  for (const wchar_t c : Widen(text)) {
    if (c == L'\n') {
      lines.push_back(std::exchange(line, {}));
    } else if (c != L'\r') {
      line.push_back(c);
    }
  }
  lines.push_back(line);
  return lines;
}

[[nodiscard]] int ToPixel(float units, float units_per_pixel) {
  return static_cast<int>(std::lround(units / units_per_pixel));
}

}  // namespace

PictureBoxWindow::PictureBoxWindow(HWND parent, int control_id, const FontDesign& font, Color back_color,
                                   bool bordered)
    : dc_(::CreateCompatibleDC(nullptr)),
      back_color_(back_color),
      font_name_(Widen(font.face)),
      font_points_(static_cast<float>(font.points)),
      font_bold_(font.bold) {
  if (!dc_) ThrowLastError();
  auto* const instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &BoundWindowProc<PictureBoxWindow>;
  window_class.hInstance = instance;
  window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClassName;
  RegisterWindowClass(window_class);
  ::SetBkMode(dc_.get(), TRANSPARENT);
  if (::CreateWindowExW(bordered ? WS_EX_CLIENTEDGE : 0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0,
                        0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance,
                        this) == nullptr) {
    ThrowLastError();
  }
  UpdateFont();
}

PictureBoxWindow::~PictureBoxWindow() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

LRESULT PictureBoxWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC target = ::BeginPaint(hwnd_, &ps);
      Paint(target);
      ::EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the image covers the whole inner area
    case WM_SIZE:
      ResizeImage(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_DPICHANGED_AFTERPARENT:
      UpdateFont();
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

void PictureBoxWindow::Paint(HDC target) const {
  ::BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

void PictureBoxWindow::Place(const PixelRect& rect) {
  ThrowIfFalse(::MoveWindow(hwnd_, rect.left, rect.top, rect.width, rect.height, TRUE));
  RECT client;
  ThrowIfFalse(::GetClientRect(hwnd_, &client));
  ResizeImage(client.right, client.bottom);
  UpdateFont();
}

void PictureBoxWindow::ResizeImage(int width, int height) {
  if (width == width_ && height == height_ && bitmap_) return;
  const BITMAPINFO info = TopDownBitmapInfo(std::max(width, 1), std::max(height, 1));
  void* bits = nullptr;
  unique_hbitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) ThrowLastError();

  // The new image starts as the background, with as much of the old one as fits.
  const unique_hdc copy(::CreateCompatibleDC(nullptr));
  const HGDIOBJ previous = ::SelectObject(copy.get(), bitmap.get());
  const unique_hbrush brush(::CreateSolidBrush(ToColorRef(back_color_)));
  const RECT all{0, 0, width, height};
  ::FillRect(copy.get(), &all, brush.get());
  if (bitmap_) ::BitBlt(copy.get(), 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
  ::SelectObject(copy.get(), previous);

  ::SelectObject(dc_.get(), bitmap.get());
  bitmap_ = std::move(bitmap);
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  Invalidate();
}

// A window not on screen is painted whole when it is shown; marking it costs a trip to the
// window server under Wine, several times a refresh.
void PictureBoxWindow::Invalidate() const {
  if (hwnd_ != nullptr && ::IsWindowVisible(hwnd_)) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

// Written straight into the image's pixels: a brush made and filled with on every clear costs
// a tenth of a millisecond or more under Wine, and a refresh clears twice.
void PictureBoxWindow::Fill(Color color) {
  const COLORREF rgb = ToColorRef(color);
  const std::uint32_t pixel = static_cast<std::uint32_t>(GetRValue(rgb)) << 16U |
                              static_cast<std::uint32_t>(GetGValue(rgb)) << 8U | GetBValue(rgb);
  ::GdiFlush();
  std::fill_n(bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), pixel);
  Invalidate();
}

void PictureBoxWindow::SetBackColor(Color color) {
  back_color_ = color;
  Fill(color);
}

void PictureBoxWindow::SetScaleWidth(float width) {
  CheckScale(width);
  if (!user_scale_) scale_height_ = static_cast<float>(height_);
  user_scale_ = true;
  scale_width_ = width;
}

void PictureBoxWindow::SetScaleHeight(float height) {
  CheckScale(height);
  if (!user_scale_) scale_width_ = static_cast<float>(width_);
  user_scale_ = true;
  scale_height_ = height;
}

float PictureBoxWindow::ScaleWidth() const {
  return user_scale_ ? scale_width_ : static_cast<float>(width_);
}
float PictureBoxWindow::ScaleHeight() const {
  return user_scale_ ? scale_height_ : static_cast<float>(height_);
}

// A picture box without an inner area keeps one unit per pixel rather than dividing by zero.
float PictureBoxWindow::UnitsPerPixelX() const {
  return width_ > 0 ? ScaleWidth() / static_cast<float>(width_) : 1;
}
float PictureBoxWindow::UnitsPerPixelY() const {
  return height_ > 0 ? ScaleHeight() / static_cast<float>(height_) : 1;
}

void PictureBoxWindow::SetFontName(std::string_view name) {
  font_name_ = Widen(name);
  UpdateFont();
}

void PictureBoxWindow::SetFontSize(float points) {
  if (!(points > 0) || points > 2048) throw AppError(kInvalidPropertyValue, "Invalid property value");
  font_points_ = points;
  UpdateFont();
}

// Sizes in points follow the DPI of the monitor the window is on. Text is drawn without
// smoothing so that the image holds only the two colours the user chose.
void PictureBoxWindow::UpdateFont() {
  LOGFONTW font{};
  font.lfHeight = -PointsToPixels(font_points_, static_cast<int>(::GetDpiForWindow(hwnd_)));
  font.lfWeight = font_bold_ ? kFontWeightBold : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = NONANTIALIASED_QUALITY;
  font_name_.copy(font.lfFaceName, LF_FACESIZE - 1);
  // Each refresh sets the icon's font again; making the same font anew costs a font match.
  if (font_ && std::memcmp(&font, &font_design_, sizeof font) == 0) return;
  unique_hfont created(::CreateFontIndirectW(&font));
  if (!created) ThrowLastError();
  ::SelectObject(dc_.get(), created.get());
  font_ = std::move(created);
  font_design_ = font;
}

SIZE PictureBoxWindow::Measure(std::wstring_view line) const {
  SIZE size{};
  // An empty line still has the font's height.
  const std::wstring_view measured = line.empty() ? std::wstring_view(L" ") : line;
  ThrowIfFalse(::GetTextExtentPoint32W(dc_.get(), measured.data(), static_cast<int>(measured.size()), &size));
  if (line.empty()) size.cx = 0;
  return size;
}

float PictureBoxWindow::TextWidth(std::string_view text) const {
  LONG widest = 0;
  for (const auto& line : Lines(text)) widest = std::max(widest, Measure(line).cx);
  return static_cast<float>(widest) * UnitsPerPixelX();
}

float PictureBoxWindow::TextHeight(std::string_view text) const {
  LONG height = 0;
  for (const auto& line : Lines(text)) height += Measure(line).cy;
  return static_cast<float>(height) * UnitsPerPixelY();
}

// Each line starts at the current position; afterwards the position is at the start of the
// next line, as a printed line leaves it.
void PictureBoxWindow::Print(std::string_view text) {
  ::SetTextColor(dc_.get(), ToColorRef(fore_color_));
  for (const auto& line : Lines(text)) {
    ::TextOutW(dc_.get(), ToPixel(current_x_, UnitsPerPixelX()), ToPixel(current_y_, UnitsPerPixelY()),
               line.data(), static_cast<int>(line.size()));
    current_x_ = 0;
    current_y_ += static_cast<float>(Measure(line).cy) * UnitsPerPixelY();
  }
  Invalidate();
}

void PictureBoxWindow::Cls() {
  Fill(back_color_);
  current_x_ = 0;
  current_y_ = 0;
}

Bytes PictureBoxWindow::BitmapFile() const {
  ::GdiFlush();
  const std::span<const std::uint32_t> drawn(
      bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  std::vector<std::uint32_t> pixels(drawn.begin(), drawn.end());
  for (auto& pixel : pixels) pixel &= 0x00FFFFFF;
  return imaging::EncodeBitmapFile(width_, height_, pixels);
}

}  // namespace wethrix::win32
