#include "platform/win32/main_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/color.hpp"
#include "platform/win32/app_messages.hpp"
#include "platform/win32/bound_window.hpp"
#include "platform/win32/check.hpp"
#include "platform/win32/wide.hpp"
#include "platform/win32/window_resources.hpp"

namespace wethrix::win32 {
namespace {

constexpr wchar_t kClassName[] = L"WethrixMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
// Above IDOK and IDCANCEL, which keyboard navigation sends for Enter and Escape.
constexpr int kFirstControlId = 100;
constexpr UINT_PTR kTimer1Id = 1;
constexpr int kFrameCaptionIndentTwips = 120;
constexpr int kFrameCaptionPadding = 2;

using ClickEvent = void (MainViewEvents::*)();
constexpr std::pair<std::string_view, ClickEvent> kClickEvents[] = {
    {"PushButton4", &MainViewEvents::PushButton4_Click}, {"PushButton5", &MainViewEvents::PushButton5_Click},
    {"PushButton7", &MainViewEvents::PushButton7_Click}, {"PushButton8", &MainViewEvents::PushButton8_Click},
    {"Option4", &MainViewEvents::Option4_Click},         {"Option5", &MainViewEvents::Option5_Click},
    {"Check3", &MainViewEvents::Check3_Click},           {"Check8", &MainViewEvents::Check8_Click},
};

struct Win32Control {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

// Option buttons that follow one another form one group: one tab stop, arrows move within.
[[nodiscard]] Win32Control Win32ControlFor(ControlKind kind, bool starts_group) {
  constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
  switch (kind) {
    case ControlKind::kPushButton:
      return {L"Button", BS_PUSHBUTTON | kTabStop, 0};
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
  // Labels take the mouse themselves (SS_NOTIFY), so moving over one changes no pointer; text
  // too long for one stays on its line and is cut at its edge.
  return {L"Static", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0};
}

[[nodiscard]] RECT ToRect(const PixelRect& rect) {
  return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

// What ShowWindow needs to bring the window into `state`, from hidden or while visible.
[[nodiscard]] int ShowCommand(WindowState state, bool visible) {
  switch (state) {
    case WindowState::kMinimized:
      return visible ? SW_MINIMIZE : SW_SHOWMINIMIZED;
    case WindowState::kMaximized:
      return visible ? SW_MAXIMIZE : SW_SHOWMAXIMIZED;
    case WindowState::kNormal:
      break;
  }
  return visible ? SW_RESTORE : SW_SHOWNORMAL;
}

[[nodiscard]] int PictureIndex(std::string_view name) {
  return name.back() - '0';
}

}  // namespace

HBRUSH CachedBrush::For(COLORREF color) {
  if (!brush_ || color != color_) {
    brush_.reset(::CreateSolidBrush(color));
    color_ = color;
  }
  return brush_.get();
}

// One designed control: its window, and the background colour the window draws it with.
class MainWindow::Control final : public FormControl {
 public:
  Control(const ControlDesign& design, HWND hwnd)
      : design_(design), hwnd_(hwnd), back_color_(design.back_color) {}
  Control(const ControlDesign& design, std::unique_ptr<PictureBoxWindow> picture)
      : design_(design),
        hwnd_(picture->Hwnd()),
        back_color_(design.back_color),
        picture_(std::move(picture)) {}

  [[nodiscard]] ControlKind Kind() const override { return design_.kind; }
  [[nodiscard]] std::string Name() const override { return FullName(design_); }
  [[nodiscard]] Color BackColor() const override { return picture_ ? picture_->BackColor() : back_color_; }
  void SetBackColor(Color color) override {
    if (picture_) return picture_->SetBackColor(color);
    back_color_ = color;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
  }

  [[nodiscard]] const ControlDesign& Design() const { return design_; }
  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  [[nodiscard]] PictureBoxWindow* Picture() const { return picture_.get(); }
  [[nodiscard]] HBRUSH Brush(COLORREF color) { return brush_.For(color); }

 private:
  const ControlDesign& design_;
  HWND hwnd_;
  Color back_color_;
  std::unique_ptr<PictureBoxWindow> picture_;
  CachedBrush brush_;
};

MainWindow::MainWindow(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &BoundWindowProc<MainWindow>;
  window_class.hInstance = instance;
  window_class.lpszClassName = kClassName;
  RegisterWindowClass(window_class);
  if (!::CreateWindowExW(kExStyle, kClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                         nullptr, instance, this)) {
    ThrowLastError();
  }
  dpi_ = ::GetDpiForWindow(Hwnd());
  timer1_ = std::make_unique<WindowTimer>(Hwnd(), kTimer1Id);
  timer1_->SetEnabled(true);  // designed enabled with interval 0, so it waits for an interval
  CreateFonts();
  CreateControls();
  Layout();
  SizeToClientArea();
  SetChecked("Option4", true);
  // Focus rectangles and mnemonics appear once the keyboard is used, as in dialogs.
  ::SendMessageW(Hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

// Events stop first: the logic that receives them may already be gone.
MainWindow::~MainWindow() {
  events_ = nullptr;
  window_.reset();
}

void MainWindow::CreateControls() {
  const auto design = MainWindowDesign();
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(Hwnd(), GWLP_HINSTANCE));
  for (std::size_t i = 0; i < design.size(); ++i) {
    const ControlDesign& control = design[i];
    const int id = kFirstControlId + static_cast<int>(i);
    if (control.kind == ControlKind::kPictureBox) {
      // The shown swatches look sunken; the hidden icon surface is image to its edges.
      auto picture =
          std::make_unique<PictureBoxWindow>(Hwnd(), id, control.font, control.back_color, control.visible);
      pictures_.at(static_cast<std::size_t>(PictureIndex(control.name) - 1)) = picture.get();
      controls_.push_back(std::make_unique<Control>(control, std::move(picture)));
      continue;
    }
    const bool starts_group = i == 0 || design[i - 1].kind != control.kind;
    const Win32Control kind = Win32ControlFor(control.kind, starts_group);
    const HWND child =
        ::CreateWindowExW(kind.ex_style, kind.window_class, Widen(control.caption).c_str(),
                          WS_CHILD | WS_CLIPSIBLINGS | kind.style, 0, 0, 0, 0, Hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!child) ThrowLastError();
    controls_.push_back(std::make_unique<Control>(control, child));
  }
  for (const auto& control : controls_) {
    const ControlDesign& design_of = control->Design();
    // Frames lie under the controls they hold and leave the tab order to them.
    if (design_of.kind == ControlKind::kFrame) {
      ::SetWindowPos(control->Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (design_of.mouse != MainControl::kOther) {
      ThrowIfFalse(::SetWindowSubclass(control->Hwnd(), &ChildProc, 0, reinterpret_cast<DWORD_PTR>(this)));
    }
    if (design_of.visible) ::ShowWindow(control->Hwnd(), SW_SHOWNA);
  }
}

void MainWindow::CreateFonts() {
  window_font_ = CreateDesignFont(kWindowFont, dpi_);
  button_font_ = CreateDesignFont(kPushButtonFont, dpi_);
}

void MainWindow::Layout() {
  for (const auto& control : controls_) {
    const PixelRect rect = ToPixels(ClientRect(control->Design()), static_cast<int>(dpi_));
    if (PictureBoxWindow* picture = control->Picture()) {
      picture->Place(rect);
      continue;
    }
    ThrowIfFalse(::MoveWindow(control->Hwnd(), rect.left, rect.top, rect.width, rect.height, TRUE));
    ClipUnderLaterControls(*control, rect);
    const HFONT font = control->Kind() == ControlKind::kPushButton ? button_font_.get() : window_font_.get();
    ::SendMessageW(control->Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

// Where designed controls overlap, the later one lies on top. Windows paints the earlier one
// (first in the tab order) on top, so the earlier one gives up the shared part.
void MainWindow::ClipUnderLaterControls(const Control& control, const PixelRect& rect) const {
  if (control.Kind() == ControlKind::kFrame) return;
  const RECT own = ToRect(rect);
  unique_hrgn region(::CreateRectRgn(0, 0, rect.width, rect.height));
  bool clipped = false;
  const auto self = std::ranges::find(controls_, &control, &std::unique_ptr<Control>::get);
  for (auto later = std::next(self); later != controls_.end(); ++later) {
    const ControlDesign& design = (*later)->Design();
    if (!design.visible || design.kind == ControlKind::kFrame) continue;
    const RECT above = ToRect(ToPixels(ClientRect(design), static_cast<int>(dpi_)));
    RECT shared;
    if (!::IntersectRect(&shared, &own, &above)) continue;
    ::OffsetRect(&shared, -rect.left, -rect.top);
    const unique_hrgn cut(::CreateRectRgnIndirect(&shared));
    ::CombineRgn(region.get(), region.get(), cut.get(), RGN_DIFF);
    clipped = true;
  }
  // The window owns a region it is given.
  ::SetWindowRgn(control.Hwnd(), clipped ? region.release() : nullptr, TRUE);
}

void MainWindow::SizeToClientArea() {
  const int dpi = static_cast<int>(dpi_);
  RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
  ThrowIfFalse(::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi_));
  ThrowIfFalse(::SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(wparam);
      return 0;
    case WM_SIZE:
      Raise(&MainViewEvents::Form_Resize);
      return 0;
    case WM_CLOSE:
      Unload();
      return 0;
    case WM_QUERYENDSESSION:
      Unload();
      return TRUE;
    case WM_DESTROY:
      ::RemovePropW(Hwnd(), kFinishedRefreshesProperty);
      if (closing_) ::PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      OnCommand(wparam);
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lparam)->code == NM_CUSTOMDRAW) {
        return OnCustomDraw(lparam);
      }
      return 0;
    case WM_MOUSEMOVE:
      Raise(&MainViewEvents::MouseMove, MainControl::kBackground);
      return 0;
    case WM_SETCURSOR:
      // The window's one pointer applies over every control, which ask their parent first.
      if (LOWORD(lparam) != HTCLIENT) break;
      ::SetCursor(CursorFor(pointer_));
      return TRUE;
    case WM_TIMER:
      if (wparam == timer1_->Id()) timer1_->Tick();
      return 0;
    case WM_POWERBROADCAST:
      if (wparam == PBT_APMRESUMEAUTOMATIC) Raise(&MainViewEvents::PowerResumed);
      return TRUE;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DPICHANGED:
      OnDpiChanged(wparam, *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SYSCOLORCHANGE:
      RedrawAll();
      return 0;
    case kApplySkinMessage:
      OnApplySkin(*reinterpret_cast<const SkinPalette*>(lparam));
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(Hwnd(), message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::ChildProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR self) noexcept {
  auto* window = reinterpret_cast<MainWindow*>(self);
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &ChildProc, id);
  Control* control = window->Find(hwnd);
  if (message == WM_NCDESTROY || !control) return ::DefSubclassProc(hwnd, message, wparam, lparam);
  try {
    return window->HandleChildMessage(*control, message, wparam, lparam);
  } catch (const std::exception& error) {
    ReportEscapedError(error);
    return 0;
  }
}

// Frames and push buttons report the mouse; frames also paint themselves, so that their
// background and caption take the window's colours whatever the visual style draws.
LRESULT MainWindow::HandleChildMessage(Control& control, UINT message, WPARAM wparam, LPARAM lparam) {
  const bool frame = control.Kind() == ControlKind::kFrame;
  switch (message) {
    case WM_MOUSEMOVE:
      Raise(&MainViewEvents::MouseMove, control.Design().mouse);
      break;
    case WM_NCHITTEST:
      if (frame) return HTCLIENT;
      break;
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

void MainWindow::OnActivate(WPARAM wparam) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus && ::IsChild(Hwnd(), focus)) last_focus_ = focus;
    return;
  }
  const bool minimized = HIWORD(wparam) != 0;
  if (!minimized) {
    const bool remembered = last_focus_ && ::IsWindow(last_focus_) && ::IsWindowVisible(last_focus_);
    ::SetFocus(remembered ? last_focus_ : FirstTabStop());
  }
  Raise(&MainViewEvents::Form_Activate);
}

HWND MainWindow::FirstTabStop() const {
  for (const auto& control : controls_) {
    const auto style = ::GetWindowLongPtrW(control->Hwnd(), GWL_STYLE);
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return control->Hwnd();
  }
  return Hwnd();
}

void MainWindow::OnCommand(WPARAM wparam) {
  const auto index = static_cast<std::size_t>(LOWORD(wparam)) - kFirstControlId;
  if (index >= controls_.size()) return;
  const std::string_view name = controls_[index]->Design().name;
  const WORD code = HIWORD(wparam);
  if (code == BN_CLICKED) {
    const auto click = std::ranges::find(kClickEvents, name, &std::pair<std::string_view, ClickEvent>::first);
    if (click != std::end(kClickEvents)) Raise(click->second);
  } else if (code == EN_CHANGE && name == "Text2" && !setting_text_) {
    Raise(&MainViewEvents::Text2_Change);
  }
}

void MainWindow::OnDpiChanged(WPARAM wparam, const RECT& suggested) {
  dpi_ = HIWORD(wparam);
  CreateFonts();
  Layout();
  ThrowIfFalse(::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top,
                              suggested.right - suggested.left, suggested.bottom - suggested.top,
                              SWP_NOZORDER | SWP_NOACTIVATE));
}

void MainWindow::OnApplySkin(const SkinPalette& palette) {
  skin_ = palette;
  RedrawAll();
}

// The skin's window colour stands in for the button face throughout the window.
COLORREF MainWindow::Resolve(Color color) const {
  return ResolveColor(color, [this](int index) -> std::uint32_t {
    if (index == COLOR_BTNFACE && skin_.window) return *skin_.window;
    return ::GetSysColor(index);
  });
}

COLORREF MainWindow::TextColor() const {
  return Resolve(skin_.text.value_or(kButtonTextColor));
}

// Labels, option buttons and check boxes draw on their own colour; push buttons on the window's.
LRESULT MainWindow::OnControlColor(HDC dc, HWND child) {
  Control* control = Find(child);
  const bool own_color = control && control->Kind() != ControlKind::kPushButton;
  const COLORREF back = Resolve(own_color ? control->BackColor() : back_color_);
  ::SetBkColor(dc, back);
  ::SetTextColor(dc, TextColor());
  return reinterpret_cast<LRESULT>(own_color ? control->Brush(back) : back_brush_.For(back));
}

// A skin with a button colour draws the push buttons flat in it, with the usual edges.
LRESULT MainWindow::OnCustomDraw(LPARAM lparam) {
  const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(lparam);
  Control* control = Find(draw.hdr.hwndFrom);
  if (!control || control->Kind() != ControlKind::kPushButton || !skin_.button ||
      draw.dwDrawStage != CDDS_PREPAINT) {
    return CDRF_DODEFAULT;
  }
  RECT face = draw.rc;
  ::FillRect(draw.hdc, &face, control->Brush(Resolve(*skin_.button)));
  ::DrawEdge(draw.hdc, &face, (draw.uItemState & CDIS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT | BF_ADJUST);
  const std::wstring caption = Widen(control->Design().caption);
  const HGDIOBJ previous = ::SelectObject(draw.hdc, button_font_.get());
  ::SetBkMode(draw.hdc, TRANSPARENT);
  ::SetTextColor(draw.hdc, TextColor());
  ::DrawTextW(draw.hdc, caption.c_str(), static_cast<int>(caption.size()), &face,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::SelectObject(draw.hdc, previous);
  if (draw.uItemState & CDIS_FOCUS) {
    ::InflateRect(&face, -2, -2);
    ::DrawFocusRect(draw.hdc, &face);
  }
  return CDRF_SKIPDEFAULT;
}

void MainWindow::EraseBackground(HDC dc) {
  RECT client;
  ThrowIfFalse(::GetClientRect(Hwnd(), &client));
  ::FillRect(dc, &client, back_brush_.For(Resolve(back_color_)));
}

// An opaque frame, as designed: its own colour inside, an etched line, the caption breaking it.
void MainWindow::PaintFrame(Control& frame) {
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(frame.Hwnd(), &paint);
  RECT client;
  ::GetClientRect(frame.Hwnd(), &client);
  const HBRUSH brush = frame.Brush(Resolve(frame.BackColor()));
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
  ::SetTextColor(dc, Resolve(skin_.frame_text.value_or(kButtonTextColor)));
  ::TextOutW(dc, indent, 0, caption.c_str(), static_cast<int>(caption.size()));
  ::SelectObject(dc, previous);
  ::EndPaint(frame.Hwnd(), &paint);
}

// Closing is never cancelled: the logic cleans up, then the window goes and the loop ends.
void MainWindow::Unload() {
  if (closing_) return;
  closing_ = true;
  Raise(&MainViewEvents::Form_QueryUnload);
  ::DestroyWindow(Hwnd());
  Raise(&MainViewEvents::Form_Unload);
}

void MainWindow::RedrawAll() const {
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

bool MainWindow::PreTranslate(MSG& msg) {
  return Hwnd() && ::IsDialogMessageW(Hwnd(), &msg);
}

HWND MainWindow::ControlHandle(std::string_view full_name) const {
  for (const auto& control : controls_) {
    if (control->Name() == full_name) return control->Hwnd();
  }
  return nullptr;
}

MainWindow::Control* MainWindow::Find(HWND child) const {
  const auto found = std::ranges::find(controls_, child, &Control::Hwnd);
  return found == controls_.end() ? nullptr : found->get();
}

MainWindow::Control& MainWindow::Named(std::string_view full_name) const {
  Control* control = Find(ControlHandle(full_name));
  if (!control) throw std::logic_error("no control named " + std::string(full_name));
  return *control;
}

void MainWindow::SetBackColor(Color color) {
  back_color_ = color;
  RedrawAll();
}

std::vector<FormControl*> MainWindow::Controls() {
  std::vector<FormControl*> controls;
  for (const auto& control : controls_) controls.push_back(control.get());
  return controls;
}

void MainWindow::SetCaption(std::string_view caption) {
  ThrowIfFalse(::SetWindowTextW(Hwnd(), Widen(caption).c_str()));
}

void MainWindow::SetApplicationIcon() {
  auto big = LoadApplicationIcon(SM_CXICON, SM_CYICON, dpi_);
  auto small = LoadApplicationIcon(SM_CXSMICON, SM_CYSMICON, dpi_);
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  big_icon_ = std::move(big);
  small_icon_ = std::move(small);
}

HCURSOR MainWindow::CursorFor(MousePointer pointer) const {
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

// Shown at once when the mouse is over the window, not only at its next move.
void MainWindow::SetPointer(MousePointer pointer) {
  pointer_ = pointer;
  POINT cursor;
  if (!::GetCursorPos(&cursor)) return;
  const HWND under = ::WindowFromPoint(cursor);
  if (under == Hwnd() || ::IsChild(Hwnd(), under)) ::SetCursor(CursorFor(pointer_));
}

void MainWindow::SetCustomPointerFile(std::string_view path) {
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

void MainWindow::Show() {
  if (!Visible()) ::ShowWindow(Hwnd(), ShowCommand(hidden_state_, false));
}

void MainWindow::Hide() {
  if (!Visible()) return;
  hidden_state_ = State();
  ::ShowWindow(Hwnd(), SW_HIDE);
}

WindowState MainWindow::State() const {
  if (!Visible()) return hidden_state_;
  if (::IsIconic(Hwnd())) return WindowState::kMinimized;
  if (::IsZoomed(Hwnd())) return WindowState::kMaximized;
  return WindowState::kNormal;
}

// A hidden window keeps the state for when it is next shown.
void MainWindow::SetState(WindowState state) {
  if (Visible()) {
    ::ShowWindow(Hwnd(), ShowCommand(state, true));
  } else {
    hidden_state_ = state;
  }
}

void MainWindow::Focus() {
  ::SetForegroundWindow(Hwnd());
  ::SetActiveWindow(Hwnd());
}

void MainWindow::Close() {
  ::PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
}

// A property rather than a message: an observer reads it whenever it likes, and nothing waits.
void MainWindow::PublishFinishedRefreshes(std::uint32_t count) {
  ::SetPropW(Hwnd(), kFinishedRefreshesProperty,
             reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(count)));
}

std::string MainWindow::TextOf(std::string_view full_name) const {
  const HWND control = Named(full_name).Hwnd();
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void MainWindow::SetTextOf(std::string_view full_name, std::string_view text) {
  ThrowIfFalse(::SetWindowTextW(Named(full_name).Hwnd(), Widen(text).c_str()));
}

bool MainWindow::Checked(std::string_view full_name) const {
  return ::SendMessageW(Named(full_name).Hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetChecked(std::string_view full_name, bool checked) {
  ::SendMessageW(Named(full_name).Hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string MainWindow::Label1() const {
  return TextOf("Label1");
}
void MainWindow::SetLabel1(std::string_view text) {
  SetTextOf("Label1", text);
}
std::string MainWindow::Label2() const {
  return TextOf("Label2");
}
void MainWindow::SetLabel2(std::string_view text) {
  SetTextOf("Label2", text);
}
std::string MainWindow::Text2() const {
  return TextOf("Text2");
}
std::string MainWindow::PushButton5Caption() const {
  return TextOf("PushButton5");
}

// The edit control reports a change made by code too; that one is not the user's.
void MainWindow::SetText2(std::string_view text) {
  setting_text_ = true;
  const BOOL done = ::SetWindowTextW(Named("Text2").Hwnd(), Widen(text).c_str());
  setting_text_ = false;
  ThrowIfFalse(done);
}

bool MainWindow::Option4() const {
  return Checked("Option4");
}
bool MainWindow::Option5() const {
  return Checked("Option5");
}
bool MainWindow::Check3() const {
  return Checked("Check3");
}
bool MainWindow::Check8() const {
  return Checked("Check8");
}
void MainWindow::SetCheck3(bool ticked) {
  SetChecked("Check3", ticked);
}
void MainWindow::SetCheck8(bool ticked) {
  SetChecked("Check8", ticked);
}

void MainWindow::SetOption4(bool selected) {
  SetChecked("Option4", selected);
  if (selected) SetChecked("Option5", false);
}

void MainWindow::SetOption5(bool selected) {
  SetChecked("Option5", selected);
  if (selected) SetChecked("Option4", false);
}

// The check box's own flag: a hidden main window does not make it invisible.
bool MainWindow::Check8Visible() const {
  return (::GetWindowLongPtrW(Named("Check8").Hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void MainWindow::SetCheck8Visible(bool visible) {
  ::ShowWindow(Named("Check8").Hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

PictureBox& MainWindow::Picture(int index) {
  if (index < 1 || index > static_cast<int>(pictures_.size())) {
    throw AppError(error_number::kSubscriptOutOfRange, "Subscript out of range");
  }
  return *pictures_[static_cast<std::size_t>(index - 1)];
}

}  // namespace wethrix::win32
