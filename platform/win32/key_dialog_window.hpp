#pragma once
// The key dialog Form3: a top-level window with the designed controls (options/key_dialog_layout.hpp).
// User actions become KeyDialogEvents; changes made through KeyDialogView raise none.
#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "options/key_dialog_layout.hpp"
#include "options/key_dialog_view.hpp"
#include "platform/win32/unique_handle.hpp"

namespace wethrix::win32 {

class KeyDialogWindow final : public KeyDialogView {
 public:
  explicit KeyDialogWindow(HINSTANCE instance);
  KeyDialogWindow(const KeyDialogWindow&) = delete;
  KeyDialogWindow& operator=(const KeyDialogWindow&) = delete;
  ~KeyDialogWindow() override;

  // Receives the events of user actions; none are raised while it is null.
  void SetEvents(KeyDialogEvents* events) { events_ = events; }
  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  // The message loop offers every message here first; true means it was handled (Tab, Enter,
  // Esc) and must not be dispatched again.
  [[nodiscard]] bool PreTranslate(MSG& msg);
  // The control with this designed name; null while the dialog is not loaded or for a name
  // that is not in the design.
  [[nodiscard]] HWND ControlHandle(std::string_view name) const;

  [[nodiscard]] std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }
  [[nodiscard]] Color BackColor() const override { return back_color_; }
  void SetBackColor(Color color) override;
  [[nodiscard]] std::vector<FormControl*> Controls() override;
  void SetCaption(std::string_view caption) override;
  void SetApplicationIcon() override;
  [[nodiscard]] MousePointer Pointer() const override { return pointer_; }
  void SetPointer(MousePointer pointer) override { pointer_ = pointer; }
  void SetCustomPointerFile(std::string_view path) override;
  void Show() override;
  void Hide() override;
  [[nodiscard]] bool Visible() const override {
    return hwnd_ != nullptr && ::IsWindowVisible(hwnd_) != FALSE;
  }

  void Load() override;
  void Unload() override;
  [[nodiscard]] bool Loaded() const override { return hwnd_ != nullptr; }
  [[nodiscard]] std::string Text1() const override;
  void SetText1(std::string_view text) override;
  void SetText1Selection(std::size_t start, std::size_t length) override;

 private:
  class Control;
  template <typename Window>
  friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;

  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void Detach() { hwnd_ = nullptr; }
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void CreateControls();
  void CreateFonts();
  void Layout();
  void OnActivate(WPARAM wparam);
  void OnCommand(WPARAM wparam, LPARAM lparam);
  void OnDpiChanged(WPARAM wparam, const RECT& suggested);
  [[nodiscard]] LRESULT OnControlColor(HDC dc, HWND child);
  [[nodiscard]] LRESULT OnSetCursor(WPARAM wparam, LPARAM lparam);
  void EraseBackground(HDC dc);
  template <typename... Args>
  void Raise(void (KeyDialogEvents::*event)(Args...), Args... args) {
    if (events_) (events_->*event)(args...);
  }

  [[nodiscard]] Control* Find(HWND child) const;
  [[nodiscard]] Control* ControlUnder(HWND target) const;
  [[nodiscard]] Control* Designed(std::string_view name) const;
  // As Designed, for names the program itself uses: one not in the design is a fault.
  [[nodiscard]] Control& Named(std::string_view name) const;

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  KeyDialogEvents* events_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::vector<KeyControlDesign> design_;
  std::vector<std::unique_ptr<Control>> controls_;  // in design order, which is the tab order
  Color back_color_ = kDesignBackColor;
  unique_hbrush back_brush_;
  unique_hfont window_font_;
  unique_hfont button_font_;
  unique_hicon big_icon_;
  unique_hicon small_icon_;
  unique_hcursor custom_cursor_;  // null: the system hand
  MousePointer pointer_ = MousePointer::kDefault;
  HWND last_focus_ = nullptr;
  bool setting_text_ = false;
};

}  // namespace wethrix::win32
