#include "platform/win32/windows/designed_form.hpp"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "app/resource_ids.h"
#include "platform/win32/services/check.hpp"
#include "platform/win32/services/colors.hpp"
#include "platform/win32/services/wide.hpp"
#include "platform/win32/windows/bound_window.hpp"

namespace wethrix::win32 {
namespace {

// Above IDOK and IDCANCEL, which keyboard navigation sends for Enter and Escape.
constexpr int kFirstControlId = 100;
constexpr int kFontWeightBold = 700;
constexpr int kTwipsPerPoint = kTwipsPerInch / kPointsPerInch;
constexpr int kFrameCaptionIndentTwips = 120;
constexpr int kFrameCaptionPadding = 2;
// The DPIs Windows gives screens run from 100 % to 500 %; anything else is no screen's.
constexpr UINT kLeastDpi = USER_DEFAULT_SCREEN_DPI;
constexpr UINT kMostDpi = USER_DEFAULT_SCREEN_DPI * 5;

struct Win32Control {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

// Option buttons that follow one another form one group: one tab stop, arrows move within.
[[nodiscard]] Win32Control Win32ControlFor(const ControlDesign& design, bool starts_group, bool is_default) {
  constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
  switch (design.kind) {
    case ControlKind::kPushButton:
      return {L"Button", static_cast<DWORD>(is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | kTabStop, 0};
    case ControlKind::kFrame:
      return {L"Button", BS_GROUPBOX, 0};
    case ControlKind::kOptionButton:
      return {L"Button", BS_AUTORADIOBUTTON | (starts_group ? kTabStop : 0U), 0};
    case ControlKind::kCheckBox:
      return {L"Button", BS_AUTOCHECKBOX | kTabStop, 0};
    case ControlKind::kTextBox:
      return {L"Edit", ES_AUTOHSCROLL | kTabStop, WS_EX_CLIENTEDGE};
    case ControlKind::kLabel:
    case ControlKind::kPictureBox:
      break;
  }
  // Labels take the mouse themselves (SS_NOTIFY), so moving over one reports it. A label designed
  // two lines high wraps its text; a one-line label keeps it on its line, cut at its edge.
  const bool wraps = design.rect.height >= 2 * static_cast<int>(design.font.points * kTwipsPerPoint);
  return {L"Static", static_cast<DWORD>(wraps ? SS_LEFT : SS_LEFTNOWORDWRAP) | SS_NOPREFIX | SS_NOTIFY, 0};
}

[[nodiscard]] RECT ToRect(const PixelRect& rect) {
  return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

// The font at the DPI of the window that shows it.
[[nodiscard]] unique_hfont CreateDesignFont(const FontDesign& design, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -PointsToPixels(design.points, static_cast<int>(dpi));
  font.lfWeight = design.bold ? kFontWeightBold : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  Widen(design.face).copy(font.lfFaceName, LF_FACESIZE - 1);
  unique_hfont created(::CreateFontIndirectW(&font));
  if (!created) ThrowLastError();
  return created;
}

// The program's icon at the size the two system metrics give at `dpi`.
[[nodiscard]] unique_hicon LoadApplicationIcon(int width_metric, int height_metric, UINT dpi) {
  unique_hicon icon(static_cast<HICON>(::LoadImageW(
      ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_WETHRIX), IMAGE_ICON,
      ::GetSystemMetricsForDpi(width_metric, dpi), ::GetSystemMetricsForDpi(height_metric, dpi), 0)));
  if (!icon) ThrowLastError();
  return icon;
}

}  // namespace

HBRUSH CachedBrush::For(COLORREF color) {
  if (!brush_ || color != color_) {
    brush_.reset(::CreateSolidBrush(color));
    color_ = color;
  }
  return brush_.get();
}

DesignedControl::DesignedControl(const ControlDesign& design, HWND hwnd)
    : design_(design), hwnd_(hwnd), back_color_(design.back_color) {}

DesignedControl::DesignedControl(const ControlDesign& design, std::unique_ptr<PictureBoxWindow> picture)
    : design_(design), hwnd_(picture->Hwnd()), back_color_(design.back_color), picture_(std::move(picture)) {}

Color DesignedControl::BackColor() const {
  return picture_ ? picture_->BackColor() : back_color_;
}

void DesignedControl::SetBackColor(Color color) {
  if (picture_) return picture_->SetBackColor(color);
  back_color_ = color;
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

DesignedForm::DesignedForm(HINSTANCE instance, const FormClass& form_class,
                           std::span<const ControlDesign> design, const SystemColors& system_colors)
    : instance_(instance), form_class_(form_class), design_(design), system_colors_(system_colors) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &BoundWindowProc<DesignedForm>;
  window_class.hInstance = instance_;
  window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = form_class_.name;
  RegisterWindowClass(window_class);
}

DesignedForm::~DesignedForm() {
  DestroyForm();
}

void DesignedForm::CreateForm() {
  ResetToDesign();
  high_contrast_ = system_colors_.HighContrast();
  if (::CreateWindowExW(form_class_.ex_style, form_class_.name, L"", form_class_.style, CW_USEDEFAULT,
                        CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance_, this) == nullptr) {
    ThrowLastError();
  }
  dpi_ = ::GetDpiForWindow(Hwnd());
  CreateFonts();
  CreateControls();
  std::vector<std::pair<std::string, HWND>> windows;
  windows.reserve(controls_.size());
  for (const auto& control : controls_) windows.emplace_back(control->Name(), control->Hwnd());
  accessibility_.Attach(Hwnd(), windows);
  Layout();
  SizeToClientArea();
  // Focus rectangles and mnemonics appear once the keyboard is used, as in dialogs.
  ::SendMessageW(Hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void DesignedForm::DestroyForm() {
  window_.reset();
  controls_.clear();
}

void DesignedForm::ResetToDesign() {
  back_color_ = kDesignBackColor;
  custom_cursor_.reset();
  pointer_ = MousePointer::kDefault;
  last_focus_ = nullptr;
}

void DesignedForm::CreateFonts() {
  window_font_ = CreateDesignFont(kWindowFont, dpi_);
  button_font_ = CreateDesignFont(kPushButtonFont, dpi_);
}

void DesignedForm::CreateControls() {
  for (std::size_t i = 0; i < design_.size(); ++i) {
    const ControlDesign& control = design_[i];
    const int id = kFirstControlId + static_cast<int>(i);
    if (control.kind == ControlKind::kPictureBox) {
      // The shown swatches look sunken; the hidden icon surface is image to its edges.
      controls_.push_back(std::make_unique<DesignedControl>(
          control,
          std::make_unique<PictureBoxWindow>(Hwnd(), id, control.font, control.back_color, control.visible)));
      continue;
    }
    const bool starts_group = i == 0 || design_[i - 1].kind != control.kind;
    const Win32Control kind =
        Win32ControlFor(control, starts_group, control.name == form_class_.default_button);
    // Made where the layout puts it, so that the first layout need not move it.
    const PixelRect place = PlaceOf(control);
    const HWND child = ::CreateWindowExW(
        kind.ex_style, kind.window_class, Widen(control.caption).c_str(),
        WS_CHILD | WS_CLIPSIBLINGS | kind.style, place.left, place.top, place.width, place.height, Hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (child == nullptr) ThrowLastError();
    controls_.push_back(std::make_unique<DesignedControl>(control, child));
    controls_.back()->SetPlaced(place);
    ThrowIfFalse(::SetWindowSubclass(child, &ChildProc, 0, reinterpret_cast<DWORD_PTR>(this)));
  }
  for (const auto& control : controls_) {
    // Frames lie under the controls they hold and leave the tab order to them.
    if (control->Kind() == ControlKind::kFrame) {
      ::SetWindowPos(control->Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (control->Design().visible) ::ShowWindow(control->Hwnd(), SW_SHOWNA);
  }
}

PixelRect DesignedForm::PlaceOf(const ControlDesign& control) const {
  return ToPixels(ClientRect(design_, control), static_cast<int>(dpi_));
}

void DesignedForm::Layout() {
  for (const auto& control : controls_) {
    const PixelRect rect = PlaceOf(control->Design());
    if (PictureBoxWindow* picture = control->Picture()) {
      picture->Place(rect);
      continue;
    }
    if (control->Placed() != rect) {
      ThrowIfFalse(::MoveWindow(control->Hwnd(), rect.left, rect.top, rect.width, rect.height, TRUE));
      control->SetPlaced(rect);
    }
    ClipUnderLaterControls(*control, rect);
    const HFONT font = control->Kind() == ControlKind::kPushButton ? button_font_.get() : window_font_.get();
    ::SendMessageW(control->Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

// Where designed controls overlap, the later one lies on top. Windows paints the earlier one
// (first in the tab order) on top, so the earlier one gives up the shared part.
void DesignedForm::ClipUnderLaterControls(DesignedControl& control, const PixelRect& rect) const {
  if (control.Kind() == ControlKind::kFrame) return;
  const RECT own = ToRect(rect);
  unique_hrgn region(::CreateRectRgn(0, 0, rect.width, rect.height));
  bool clipped = false;
  const auto self = std::ranges::find(controls_, &control, &std::unique_ptr<DesignedControl>::get);
  for (auto later = std::next(self); later != controls_.end(); ++later) {
    const ControlDesign& design = (*later)->Design();
    if (!design.visible || design.kind == ControlKind::kFrame) continue;
    const RECT above = ToRect(PlaceOf(design));
    RECT shared;
    if (!::IntersectRect(&shared, &own, &above)) continue;
    ::OffsetRect(&shared, -rect.left, -rect.top);
    const unique_hrgn cut(::CreateRectRgnIndirect(&shared));
    ::CombineRgn(region.get(), region.get(), cut.get(), RGN_DIFF);
    clipped = true;
  }
  if (!clipped && !control.Clipped()) return;
  // The window owns a region it is given.
  ::SetWindowRgn(control.Hwnd(), clipped ? region.release() : nullptr, TRUE);
  control.SetClipped(clipped);
}

RECT DesignedForm::FrameAtDpi() const {
  const int dpi = static_cast<int>(dpi_);
  RECT frame{0, 0, TwipsToPixels(form_class_.client_width_twips, dpi),
             TwipsToPixels(form_class_.client_height_twips, dpi)};
  ThrowIfFalse(::AdjustWindowRectExForDpi(&frame, form_class_.style, FALSE, form_class_.ex_style, dpi_));
  return frame;
}

void DesignedForm::SizeToClientArea() {
  const RECT frame = FrameAtDpi();
  ThrowIfFalse(::SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
}

LRESULT DesignedForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(wparam);
      return 0;
    case WM_COMMAND:
      DispatchCommand(wparam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(nullptr);
      return 0;
    case WM_SETCURSOR:
      return OnSetCursor(wparam, lparam);
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return OnControlColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DPICHANGED:
      OnDpiChanged(wparam, reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      FollowSystemColors(message == WM_SYSCOLORCHANGE);
      return 0;
    case DM_GETDEFID:
      if (form_class_.default_button.empty()) break;
      return MAKELRESULT(::GetDlgCtrlID(Named(form_class_.default_button).Hwnd()), DC_HASDEFID);
    default:
      break;
  }
  return ::DefWindowProcW(Hwnd(), message, wparam, lparam);
}

LRESULT CALLBACK DesignedForm::ChildProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR self) noexcept {
  auto* form = reinterpret_cast<DesignedForm*>(self);
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &ChildProc, id);
  DesignedControl* control = form->Find(hwnd);
  if (message == WM_NCDESTROY || control == nullptr) return ::DefSubclassProc(hwnd, message, wparam, lparam);
  try {
    return form->HandleChildMessage(*control, message, wparam, lparam);
  } catch (const std::exception& error) {
    ReportEscapedError(error);
    return 0;
  }
}

// Every control reports the mouse; frames also take it instead of letting it through, and paint
// themselves, so that their background and caption take the form's colours whatever the visual
// style draws.
LRESULT DesignedForm::HandleChildMessage(DesignedControl& control, UINT message, WPARAM wparam,
                                         LPARAM lparam) {
  const bool frame = control.Kind() == ControlKind::kFrame;
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(&control);
      break;
    // A frame takes the mouse (HTCLIENT) and erases its background as it paints (non-zero): both 1.
    case WM_NCHITTEST:
    case WM_ERASEBKGND:
      if (frame) return 1;
      break;
    case WM_PAINT:
      if (!frame) break;
      PaintFrame(control);
      return 0;
    default:
      break;
  }
  return ::DefSubclassProc(control.Hwnd(), message, wparam, lparam);
}

void DesignedForm::OnActivate(WPARAM wparam) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(Hwnd(), focus)) last_focus_ = focus;
    return;
  }
  const bool minimized = HIWORD(wparam) != 0;
  if (minimized) return;
  const bool remembered =
      last_focus_ != nullptr && ::IsWindow(last_focus_) != FALSE && ::IsWindowVisible(last_focus_) != FALSE;
  ::SetFocus(remembered ? last_focus_ : FirstTabStop());
}

HWND DesignedForm::FirstTabStop() const {
  for (const auto& control : controls_) {
    const auto style = ::GetWindowLongPtrW(control->Hwnd(), GWL_STYLE);
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return control->Hwnd();
  }
  return Hwnd();
}

void DesignedForm::DispatchCommand(WPARAM wparam) {
  const auto index = static_cast<std::size_t>(LOWORD(wparam)) - kFirstControlId;
  if (index >= controls_.size()) return;
  const WORD code = HIWORD(wparam);
  if (code == EN_CHANGE) controls_[index]->KnowText(std::nullopt);
  // The edit control reports a change made by code too; that one is not the user's.
  if (code == EN_CHANGE && setting_text_) return;
  OnCommand(*controls_[index], code);
}

// Windows sends this once the window has a new DPI, with the place it suggests at that DPI. Any
// program may send it too: a DPI is taken only when it is one a screen has and differs from the
// form's. From another thread it comes without the place (a pointer into who knows what), and its
// DPI only when the window really has it now; the suggested place only when it lies on a screen
// and is about the size the form needs, else the form keeps its place and takes its own size.
void DesignedForm::OnDpiChanged(WPARAM wparam, const RECT* suggested) {
  const UINT dpi = HIWORD(wparam);
  if (dpi != LOWORD(wparam) || dpi < kLeastDpi || dpi > kMostDpi || dpi == dpi_ ||
      (suggested == nullptr && dpi != ::GetDpiForWindow(Hwnd()))) {
    return;
  }
  dpi_ = dpi;
  CreateFonts();
  Layout();
  if (suggested == nullptr || !FitsTheForm(*suggested)) return SizeToClientArea();
  ThrowIfFalse(::SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top,
                              suggested->right - suggested->left, suggested->bottom - suggested->top,
                              SWP_NOZORDER | SWP_NOACTIVATE));
}

// On a screen, and no more than a quarter larger or smaller than the frame the form needs.
bool DesignedForm::FitsTheForm(const RECT& place) const {
  const RECT frame = FrameAtDpi();
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  const auto about = [](LONG size, LONG needed) { return size >= needed * 3 / 4 && size <= needed * 5 / 4; };
  return about(place.right - place.left, width) && about(place.bottom - place.top, height) &&
         ::MonitorFromRect(&place, MONITOR_DEFAULTTONULL) != nullptr;
}

// The form's one pointer applies over every control, which ask their parent first.
LRESULT DesignedForm::OnSetCursor(WPARAM wparam, LPARAM lparam) {
  const bool control_decides = pointer_ == MousePointer::kDefault && form_class_.default_pointer_per_control;
  if (LOWORD(lparam) != HTCLIENT || control_decides) {
    return ::DefWindowProcW(Hwnd(), WM_SETCURSOR, wparam, lparam);
  }
  ::SetCursor(CursorFor(pointer_));
  return TRUE;
}

HCURSOR DesignedForm::CursorFor(MousePointer pointer) const {
  switch (pointer) {
    case MousePointer::kHourglass:
      return ::LoadCursorW(nullptr, IDC_WAIT);
    case MousePointer::kCustom:
      return custom_cursor_ ? custom_cursor_.get() : ::LoadCursorW(nullptr, IDC_HAND);
    case MousePointer::kDefault:
      break;
  }
  return ::LoadCursorW(nullptr, IDC_ARROW);
}

COLORREF DesignedForm::Resolve(Color color) const {
  return ToColorRef(color);
}

// Only the state the system keeps is looked at, and the window is redrawn only when it changed.
// The common controls keep the system's colours of their own, and hear of new ones only from
// their top-level window.
void DesignedForm::FollowSystemColors(bool colors_changed) {
  if (colors_changed) {
    for (const auto& control : controls_) ::SendMessageW(control->Hwnd(), WM_SYSCOLORCHANGE, 0, 0);
  }
  const bool high_contrast = system_colors_.HighContrast();
  if (!colors_changed && high_contrast == high_contrast_) return;
  high_contrast_ = high_contrast;
  RedrawAll();
}

Ink DesignedForm::Drawn(std::optional<ControlKind> kind, Color back, COLORREF text) const {
  return ContrastInk(kind, {Resolve(back), text}, high_contrast_, system_colors_);
}

// Labels, option buttons, check boxes and text boxes draw on their own colour; push buttons on
// the form's.
LRESULT DesignedForm::OnControlColor(HDC dc, HWND child) {
  DesignedControl* control = Find(child);
  const bool own_color = control != nullptr && control->Kind() != ControlKind::kPushButton;
  const Ink ink = own_color ? Drawn(control->Kind(), control->BackColor(), TextColor())
                            : Drawn(std::nullopt, back_color_, TextColor());
  ::SetBkColor(dc, ink.back);
  ::SetTextColor(dc, ink.text);
  return reinterpret_cast<LRESULT>(own_color ? control->Brush(ink.back) : back_brush_.For(ink.back));
}

void DesignedForm::EraseBackground(HDC dc) {
  RECT client;
  ThrowIfFalse(::GetClientRect(Hwnd(), &client));
  ::FillRect(dc, &client, back_brush_.For(Drawn(std::nullopt, back_color_, TextColor()).back));
}

// An opaque frame, as designed: its own colour inside, an etched line, the caption breaking it.
void DesignedForm::PaintFrame(DesignedControl& frame) {
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(frame.Hwnd(), &paint);
  RECT client;
  ::GetClientRect(frame.Hwnd(), &client);
  const Ink ink = Drawn(ControlKind::kFrame, frame.BackColor(), FrameTextColor());
  const HBRUSH brush = frame.Brush(ink.back);
  ::FillRect(dc, &client, brush);

  const HGDIOBJ previous = ::SelectObject(dc, window_font_.get());
  const std::wstring caption = Widen(frame.Design().caption);
  SIZE text{};
  ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  RECT line = client;
  line.top += text.cy / 2;
  ::DrawEdge(dc, &line, EDGE_ETCHED, BF_RECT);

  const int indent = TwipsToPixels(kFrameCaptionIndentTwips, static_cast<int>(dpi_));
  const RECT gap{indent - kFrameCaptionPadding, 0, indent + text.cx + kFrameCaptionPadding, text.cy};
  ::FillRect(dc, &gap, brush);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ink.text);
  ::TextOutW(dc, indent, 0, caption.c_str(), static_cast<int>(caption.size()));
  ::SelectObject(dc, previous);
  ::EndPaint(frame.Hwnd(), &paint);
}

void DesignedForm::RedrawAll() const {
  if (Hwnd() != nullptr) {
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  }
}

bool DesignedForm::PreTranslate(MSG& msg) const {
  return Visible() && ::IsDialogMessageW(Hwnd(), &msg) != FALSE;
}

HWND DesignedForm::ControlHandle(std::string_view full_name) const {
  for (const auto& control : controls_) {
    if (control->Name() == full_name) return control->Hwnd();
  }
  return nullptr;
}

DesignedControl* DesignedForm::Find(HWND child) const {
  if (child == nullptr) return nullptr;
  const auto found = std::ranges::find(controls_, child, &DesignedControl::Hwnd);
  return found == controls_.end() ? nullptr : found->get();
}

DesignedControl& DesignedForm::Named(std::string_view full_name) const {
  DesignedControl* control = Find(ControlHandle(full_name));
  if (control == nullptr) throw std::logic_error("no control named " + std::string(full_name));
  return *control;
}

void DesignedForm::SetBackColor(Color color) {
  back_color_ = color;
  RedrawAll();
}

std::vector<FormControl*> DesignedForm::Controls() {
  std::vector<FormControl*> controls;
  controls.reserve(controls_.size());
  for (const auto& control : controls_) controls.push_back(control.get());
  return controls;
}

void DesignedForm::SetCaption(std::string_view caption) {
  ThrowIfFalse(::SetWindowTextW(Hwnd(), Widen(caption).c_str()));
}

void DesignedForm::SetApplicationIcon() {
  auto big = LoadApplicationIcon(SM_CXICON, SM_CYICON, dpi_);
  auto small = LoadApplicationIcon(SM_CXSMICON, SM_CYSMICON, dpi_);
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  big_icon_ = std::move(big);
  small_icon_ = std::move(small);
}

// Shown at once when the mouse is over the form, not only at its next move: the window under it
// is asked to set its pointer again.
void DesignedForm::SetPointer(MousePointer pointer) {
  pointer_ = pointer;
  POINT cursor;
  if (Hwnd() == nullptr || !::GetCursorPos(&cursor)) return;
  const HWND under = ::WindowFromPoint(cursor);
  if (under == Hwnd() || ::IsChild(Hwnd(), under)) {
    ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
}

void DesignedForm::SetCustomPointerFile(std::string_view path) {
  if (path.empty()) {
    custom_cursor_.reset();
    return;
  }
  unique_hcursor cursor(static_cast<HCURSOR>(
      ::LoadImageW(nullptr, Widen(path).c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
  if (!cursor) {
    if (::GetLastError() != ERROR_SUCCESS) ThrowLastError();
    throw InvalidPicture();
  }
  custom_cursor_ = std::move(cursor);
}

std::string DesignedForm::TextOf(std::string_view full_name) const {
  DesignedControl& control = Named(full_name);
  if (const auto& known = control.KnownText()) return *known;
  const HWND window = control.Hwnd();
  std::wstring wide(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(::GetWindowTextW(window, wide.data(), static_cast<int>(wide.size()))));
  std::string text = Narrow(wide);
  control.KnowText(text);
  return text;
}

// Setting the text a control already shows is skipped: it would only repaint it, and in a text
// box also move the caret and report a change. A window keeps its text up to the first NUL. A
// text box may change what it is given (case, length), so its text is read again when needed.
void DesignedForm::SetTextOf(std::string_view full_name, std::string_view text) {
  DesignedControl& control = Named(full_name);
  const std::wstring wide = Widen(text);
  std::string shown = Narrow(std::wstring_view(wide).substr(0, wide.find(L'\0')));
  if (TextOf(full_name) == shown) return;
  setting_text_ = true;
  const BOOL done = ::SetWindowTextW(control.Hwnd(), wide.c_str());
  setting_text_ = false;
  control.KnowText(done && control.Kind() != ControlKind::kTextBox ? std::optional(std::move(shown))
                                                                   : std::nullopt);
  ThrowIfFalse(done);
}

}  // namespace wethrix::win32
