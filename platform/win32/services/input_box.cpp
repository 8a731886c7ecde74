#include "platform/win32/services/input_box.hpp"

#include <array>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/dialogs.hpp"
#include "platform/win32/services/message_gate.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {
namespace {

constexpr int kPromptId = 100;
constexpr int kFieldId = 101;

// Metrics at 96 DPI, close to the system's own dialogs.
constexpr int kMargin = 11;
constexpr int kGap = 7;
constexpr int kPromptWidth = 340;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

struct InputBoxState {
  std::wstring prompt;
  std::wstring title;
  std::wstring text;  // the default on entry, the answer on OK
  unique_hfont font;
  bool confirmed = false;
};

// An empty dialog template; the controls are created at WM_INITDIALOG, where the font and the
// DPI are known.
struct alignas(DWORD) EmptyDialogTemplate {
  DLGTEMPLATE header;
  std::array<WORD, 3> menu_class_title;  // no menu, the standard class, no title
};

unique_hfont MessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  return unique_hfont(::CreateFontIndirectW(&metrics.lfMessageFont));
}

HWND AddControl(HWND dialog, const wchar_t* window_class, const std::wstring& text, DWORD style,
                DWORD ex_style, int id, RECT rect, HFONT font) {
  HWND control =
      ::CreateWindowExW(ex_style, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

struct TextSize {
  int prompt_height;
  int line_height;
};

TextSize MeasureText(HFONT font, const std::wstring& prompt, int width) {
  const unique_hdc dc(::CreateCompatibleDC(nullptr));
  const HGDIOBJ previous = ::SelectObject(dc.get(), font);
  RECT rect{0, 0, width, 0};
  ::DrawTextW(dc.get(), prompt.c_str(), static_cast<int>(prompt.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  ::SelectObject(dc.get(), previous);
  return {rect.bottom, metrics.tmHeight};
}

void Layout(HWND dialog, InputBoxState& state) {
  const UINT dpi = ::GetDpiForWindow(dialog);
  const auto px = [dpi](int value) { return ::MulDiv(value, static_cast<int>(dpi), 96); };
  state.font = MessageFont(dpi);
  const HFONT font = state.font.get();

  const int width = px(kPromptWidth);
  const TextSize text = MeasureText(font, state.prompt, width);
  const int prompt_height = text.prompt_height;
  const int field_top = px(kMargin) + prompt_height + px(kGap);
  const int field_height = text.line_height + px(8);
  const int buttons_top = field_top + field_height + px(kMargin);
  const int client_width = width + 2 * px(kMargin);
  const int client_height = buttons_top + px(kButtonHeight) + px(kMargin);
  const int cancel_left = client_width - px(kMargin) - px(kButtonWidth);
  const int ok_left = cancel_left - px(kGap) - px(kButtonWidth);

  AddControl(dialog, L"STATIC", state.prompt, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0, kPromptId,
             {px(kMargin), px(kMargin), px(kMargin) + width, px(kMargin) + prompt_height}, font);
  HWND field =
      AddControl(dialog, L"EDIT", state.text, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kFieldId,
                 {px(kMargin), field_top, px(kMargin) + width, field_top + field_height}, font);
  AddControl(dialog, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK,
             {ok_left, buttons_top, ok_left + px(kButtonWidth), buttons_top + px(kButtonHeight)}, font);
  AddControl(dialog, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL,
             {cancel_left, buttons_top, cancel_left + px(kButtonWidth), buttons_top + px(kButtonHeight)},
             font);

  RECT frame{0, 0, client_width, client_height};
  ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi);
  ::SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowTextW(dialog, state.title.c_str());
  ::SendMessageW(field, EM_SETSEL, 0, -1);
  ::SetFocus(field);
}

void CenterOnOwner(HWND dialog) {
  HWND owner = ::GetWindow(dialog, GW_OWNER);
  RECT area{};
  if (owner == nullptr || !::IsWindowVisible(owner) || !::GetWindowRect(owner, &area)) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    area = monitor.rcWork;
  }
  RECT own{};
  ::GetWindowRect(dialog, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  ::SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring FieldText(HWND dialog) {
  HWND field = ::GetDlgItem(dialog, kFieldId);
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The dialog takes its state once, at its creation: a later WM_INITDIALOG, which any program can
// send, would hand it whatever the sender put there. What only Windows and the program may send
// is dropped, default handling included, when another thread sends it.
INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  try {
    auto* state = reinterpret_cast<InputBoxState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG && state == nullptr) {
      ::SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      Layout(dialog, *reinterpret_cast<InputBoxState*>(lparam));
      CenterOnOwner(dialog);
      return FALSE;  // the focus is already on the field
    }
    if (message == WM_INITDIALOG || SentFromElsewhere(message)) return TRUE;
    if (message != WM_COMMAND || state == nullptr) return FALSE;
    const int command = LOWORD(wparam);
    if (command == IDOK) {
      state->text = FieldText(dialog);
      state->confirmed = true;
    }
    if (command == IDOK || command == IDCANCEL) {
      ::EndDialog(dialog, command);
      return TRUE;
    }
  } catch (...) {
    ::EndDialog(dialog, IDCANCEL);
  }
  return FALSE;
}

}  // namespace

std::string RunInputBox(HWND owner, std::string_view prompt, std::string_view title,
                        std::string_view default_text) {
  InputBoxState state{Widen(prompt), Widen(title), Widen(default_text), {}, false};
  EmptyDialogTemplate form{};
  form.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), &form.header, owner,
                                                   InputBoxProc, reinterpret_cast<LPARAM>(&state));
  if (result != IDOK || !state.confirmed) return {};
  return Narrow(state.text);
}

std::string Win32Dialogs::InputBox(std::string_view prompt, std::string_view title,
                                   std::string_view default_text) {
  return RunInputBox(owner_, prompt, title.empty() ? std::string_view(title_) : title, default_text);
}

}  // namespace wethrix::win32
