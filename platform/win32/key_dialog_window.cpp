#include "platform/win32/key_dialog_window.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/errors.hpp"
#include "platform/win32/bound_window.hpp"
#include "platform/win32/check.hpp"
#include "platform/win32/colors.hpp"
#include "platform/win32/wide.hpp"
#include "platform/win32/window_resources.hpp"

namespace wethrix::win32 {
namespace {

constexpr wchar_t kClassName[] = L"WethrixKeyDialog";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which the keyboard sends
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

struct ClassOfControl {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

ClassOfControl ClassFor(const KeyControlDesign& design) {
  switch (design.kind) {
    case ControlKind::kTextBox:
      return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kPushButton: {
      const bool is_default = design.mouse == KeyDialogControl::kPushButton6;  // Enter presses OK
      return {L"BUTTON", WS_TABSTOP | static_cast<DWORD>(is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    }
    case ControlKind::kLabel:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
    default:
      return {L"BUTTON", BS_GROUPBOX, 0};
  }
}

}  // namespace

// One designed control: its window while the dialog is loaded, and its own background colour.
class KeyDialogWindow::Control final : public FormControl {
 public:
  explicit Control(const KeyControlDesign& design) : design_(design), back_color_(design.back_color) {}
  [[nodiscard]] ControlKind Kind() const override { return design_.kind; }
  [[nodiscard]] std::string Name() const override { return std::string(design_.name); }
  [[nodiscard]] Color BackColor() const override { return back_color_; }
  void SetBackColor(Color color) override {
    back_color_ = color;
    brush_.reset();
    if (hwnd) ::InvalidateRect(hwnd, nullptr, TRUE);
  }
  [[nodiscard]] HBRUSH Brush() {
    if (!brush_) brush_.reset(::CreateSolidBrush(ToColorRef(back_color_)));
    return brush_.get();
  }
  [[nodiscard]] const KeyControlDesign& Design() const { return design_; }
  void Reset() {
    hwnd = nullptr;
    back_color_ = design_.back_color;
    brush_.reset();
  }

  HWND hwnd = nullptr;

 private:
  const KeyControlDesign& design_;
  Color back_color_;
  unique_hbrush brush_;
};

KeyDialogWindow::KeyDialogWindow(HINSTANCE instance) : instance_(instance), design_(KeyDialogDesign()) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = BoundWindowProc<KeyDialogWindow>;
  window_class.hInstance = instance_;
  window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClassName;
  RegisterWindowClass(window_class);
  for (const KeyControlDesign& design : design_) controls_.push_back(std::make_unique<Control>(design));
}

KeyDialogWindow::~KeyDialogWindow() {
  Unload();
}

void KeyDialogWindow::Load() {
  if (hwnd_ != nullptr) return;
  for (auto& control : controls_) control->Reset();
  back_color_ = kDesignBackColor;
  back_brush_.reset();
  custom_cursor_.reset();
  pointer_ = MousePointer::kDefault;
  last_focus_ = nullptr;

  dpi_ = ::GetDpiForSystem();
  RECT frame{0, 0, TwipsToPixels(kKeyDialogClientWidthTwips, static_cast<int>(dpi_)),
             TwipsToPixels(kKeyDialogClientHeightTwips, static_cast<int>(dpi_))};
  ::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi_);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ::CreateWindowExW(kExStyle, kClassName, L"", kStyle, work.left + (work.right - work.left - width) / 2,
                    work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr,
                    instance_, this);
  if (hwnd_ == nullptr) ThrowLastError();
  CreateFonts();
  CreateControls();
  Layout();
}

void KeyDialogWindow::Unload() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
  for (auto& control : controls_) control->hwnd = nullptr;
}

void KeyDialogWindow::CreateFonts() {
  window_font_ = CreateDesignFont(kWindowFont, dpi_);
  button_font_ = CreateDesignFont(kPushButtonFont, dpi_);
}

void KeyDialogWindow::CreateControls() {
  int id = kFirstControlId;
  for (auto& control : controls_) {
    const ClassOfControl kind = ClassFor(control->Design());
    control->hwnd =
        ::CreateWindowExW(kind.ex_style, kind.window_class, Widen(control->Design().caption).c_str(),
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, 0, 0, 0, 0, hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance_, nullptr);
    if (control->hwnd == nullptr) ThrowLastError();
  }
}

void KeyDialogWindow::Layout() {
  const int dpi = static_cast<int>(dpi_);
  for (auto& control : controls_) {
    const PixelRect place = ToPixels(ClientRect(design_, control->Design()), dpi);
    ::SetWindowPos(control->hwnd, nullptr, place.left, place.top, place.width, place.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const bool button_font = control->Design().kind == ControlKind::kPushButton;
    ::SendMessageW(control->hwnd, WM_SETFONT,
                   reinterpret_cast<WPARAM>(button_font ? button_font_.get() : window_font_.get()), TRUE);
  }
}

bool KeyDialogWindow::PreTranslate(MSG& msg) {
  if (hwnd_ == nullptr || !::IsWindowVisible(hwnd_)) return false;
  return ::IsDialogMessageW(hwnd_, &msg) != FALSE;
}

HWND KeyDialogWindow::ControlHandle(std::string_view name) const {
  const Control* control = Designed(name);
  return control == nullptr ? nullptr : control->hwnd;
}

void KeyDialogWindow::SetBackColor(Color color) {
  back_color_ = color;
  back_brush_.reset();
  if (hwnd_ != nullptr) ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

std::vector<FormControl*> KeyDialogWindow::Controls() {
  std::vector<FormControl*> controls;
  for (auto& control : controls_) controls.push_back(control.get());
  return controls;
}

void KeyDialogWindow::SetCaption(std::string_view caption) {
  ThrowIfFalse(::SetWindowTextW(hwnd_, Widen(caption).c_str()));
}

void KeyDialogWindow::SetApplicationIcon() {
  big_icon_ = LoadApplicationIcon(SM_CXICON, SM_CYICON, dpi_);
  small_icon_ = LoadApplicationIcon(SM_CXSMICON, SM_CYSMICON, dpi_);
  ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
  ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
}

void KeyDialogWindow::SetCustomPointerFile(std::string_view path) {
  if (path.empty()) {
    custom_cursor_.reset();
    return;
  }
  HCURSOR cursor = ::LoadCursorFromFileW(Widen(path).c_str());
  if (cursor == nullptr) throw InvalidPicture();
  custom_cursor_.reset(cursor);
}

void KeyDialogWindow::Show() {
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
}

void KeyDialogWindow::Hide() {
  ::ShowWindow(hwnd_, SW_HIDE);
}

std::string KeyDialogWindow::Text1() const {
  HWND field = Named("Text1").hwnd;
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void KeyDialogWindow::SetText1(std::string_view text) {
  setting_text_ = true;
  const BOOL done = ::SetWindowTextW(Named("Text1").hwnd, Widen(text).c_str());
  setting_text_ = false;
  ThrowIfFalse(done);
}

void KeyDialogWindow::SetText1Selection(std::size_t start, std::size_t length) {
  ::SendMessageW(Named("Text1").hwnd, EM_SETSEL, start, static_cast<LPARAM>(start + length));
}

LRESULT KeyDialogWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wparam, lparam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(wparam);
      return 0;
    case WM_CLOSE:
      if (events_) {
        events_->Form_Unload();
      } else {
        Unload();
      }
      return 0;
    case WM_SETCURSOR:
      return OnSetCursor(wparam, lparam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return OnControlColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_DPICHANGED:
      OnDpiChanged(wparam, *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(::GetDlgCtrlID(Named("PushButton6").hwnd), DC_HASDEFID);
    default:
      return ::DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

void KeyDialogWindow::OnCommand(WPARAM wparam, LPARAM lparam) {
  if (LOWORD(wparam) == IDCANCEL && lparam == 0) {  // Esc: as the close box
    ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    return;
  }
  Control* control = Find(reinterpret_cast<HWND>(lparam));
  if (control == nullptr) return;
  const UINT code = HIWORD(wparam);
  switch (control->Design().mouse) {
    case KeyDialogControl::kPushButton1:
      if (code == BN_CLICKED) Raise(&KeyDialogEvents::PushButton1_Click);
      break;
    case KeyDialogControl::kPushButton2:
      if (code == BN_CLICKED) Raise(&KeyDialogEvents::PushButton2_Click);
      break;
    case KeyDialogControl::kPushButton6:
      if (code == BN_CLICKED) Raise(&KeyDialogEvents::PushButton6_Click);
      break;
    case KeyDialogControl::kText1:
      if (code == EN_CHANGE && !setting_text_) Raise(&KeyDialogEvents::Text1_Change);
      if (code == EN_SETFOCUS) Raise(&KeyDialogEvents::Text1_GotFocus);
      break;
    default:
      break;
  }
}

// Focus goes back where it was when the dialog was left; the first time, to Text1.
void KeyDialogWindow::OnActivate(WPARAM wparam) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(hwnd_, focus)) last_focus_ = focus;
    return;
  }
  ::SetFocus(last_focus_ != nullptr ? last_focus_ : Named("Text1").hwnd);
}

void KeyDialogWindow::OnDpiChanged(WPARAM wparam, const RECT& suggested) {
  dpi_ = HIWORD(wparam);
  CreateFonts();
  Layout();
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT KeyDialogWindow::OnControlColor(HDC dc, HWND child) {
  Control* control = Find(child);
  if (control == nullptr) return 0;
  ::SetBkColor(dc, ToColorRef(control->BackColor()));
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(control->Brush());
}

// Every mouse move over the dialog or a control reports where it is; the pointer then shows
// what the handler chose. The default pointer is each control's own (the text cursor over Text1).
LRESULT KeyDialogWindow::OnSetCursor(WPARAM wparam, LPARAM lparam) {
  if (LOWORD(lparam) != HTCLIENT) return ::DefWindowProcW(hwnd_, WM_SETCURSOR, wparam, lparam);
  if (HIWORD(lparam) == WM_MOUSEMOVE) {
    const Control* control = ControlUnder(reinterpret_cast<HWND>(wparam));
    Raise(&KeyDialogEvents::MouseMove,
          control != nullptr ? control->Design().mouse : KeyDialogControl::kForm);
  }
  switch (pointer_) {
    case MousePointer::kHourglass:
      ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
      return TRUE;
    case MousePointer::kCustom:
      ::SetCursor(custom_cursor_ ? custom_cursor_.get() : ::LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    default:
      return ::DefWindowProcW(hwnd_, WM_SETCURSOR, wparam, lparam);
  }
}

void KeyDialogWindow::EraseBackground(HDC dc) {
  if (!back_brush_) back_brush_.reset(::CreateSolidBrush(ToColorRef(back_color_)));
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  ::FillRect(dc, &client, back_brush_.get());
}

KeyDialogWindow::Control* KeyDialogWindow::Find(HWND child) const {
  if (child == nullptr) return nullptr;
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [child](const auto& control) { return control->hwnd == child; });
  return found == controls_.end() ? nullptr : found->get();
}

// Frames let the mouse through to the dialog, so over the dialog itself the frame is found by place.
KeyDialogWindow::Control* KeyDialogWindow::ControlUnder(HWND target) const {
  if (target != hwnd_) return Find(target);
  POINT point{};
  ::GetCursorPos(&point);
  ::ScreenToClient(hwnd_, &point);
  return Find(::ChildWindowFromPointEx(hwnd_, point, CWP_SKIPINVISIBLE));
}

KeyDialogWindow::Control* KeyDialogWindow::Designed(std::string_view name) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [name](const auto& control) { return control->Design().name == name; });
  return found == controls_.end() ? nullptr : found->get();
}

KeyDialogWindow::Control& KeyDialogWindow::Named(std::string_view name) const {
  Control* control = Designed(name);
  if (!control) throw std::logic_error("no control named " + std::string(name));
  return *control;
}

}  // namespace wethrix::win32
