#pragma once
// The main window Form1: a top-level window with the designed controls (app/main_layout.hpp).
// User actions become MainViewEvents; changes made through MainView raise none.
#include <windows.h>

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "app/main_layout.hpp"
#include "app/main_view.hpp"
#include "platform/skin_engine.hpp"
#include "platform/win32/picture_box.hpp"
#include "platform/win32/unique_handle.hpp"
#include "platform/win32/window_timer.hpp"

namespace wethrix::win32 {

// Window property of the main window holding the number of finished refreshes.
inline constexpr wchar_t kFinishedRefreshesProperty[] = L"WethrixFinishedRefreshes";

// A brush of one colour, made again only when the colour changes.
class CachedBrush {
 public:
  [[nodiscard]] HBRUSH For(COLORREF color);

 private:
  unique_hbrush brush_;
  COLORREF color_ = 0;
};

class MainWindow final : public MainView {
 public:
  // Creates the window hidden, every control in its design state.
  explicit MainWindow(HINSTANCE instance);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  // Receives the events of user actions; none are raised while it is null.
  void SetEvents(MainViewEvents* events) { events_ = events; }
  [[nodiscard]] HWND Hwnd() const { return window_.get(); }
  // The message loop offers every message here first; true means it was handled (keyboard
  // navigation between the controls) and must not be dispatched again.
  [[nodiscard]] bool PreTranslate(MSG& msg);
  // The control with this name ("Label3(2)" for an array element), or null.
  [[nodiscard]] HWND ControlHandle(std::string_view full_name) const;

  [[nodiscard]] std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(Hwnd()); }
  [[nodiscard]] Color BackColor() const override { return back_color_; }
  void SetBackColor(Color color) override;
  [[nodiscard]] std::vector<FormControl*> Controls() override;
  void SetCaption(std::string_view caption) override;
  void SetApplicationIcon() override;
  [[nodiscard]] MousePointer Pointer() const override { return pointer_; }
  void SetPointer(MousePointer pointer) override;
  void SetCustomPointerFile(std::string_view path) override;
  void Show() override;
  void Hide() override;
  [[nodiscard]] bool Visible() const override { return ::IsWindowVisible(Hwnd()) != FALSE; }

  [[nodiscard]] std::string Label1() const override;
  void SetLabel1(std::string_view text) override;
  [[nodiscard]] std::string Label2() const override;
  void SetLabel2(std::string_view text) override;
  [[nodiscard]] std::string Text2() const override;
  void SetText2(std::string_view text) override;
  [[nodiscard]] std::string PushButton5Caption() const override;
  [[nodiscard]] bool Option4() const override;
  void SetOption4(bool selected) override;
  [[nodiscard]] bool Option5() const override;
  void SetOption5(bool selected) override;
  [[nodiscard]] bool Check3() const override;
  void SetCheck3(bool ticked) override;
  [[nodiscard]] bool Check8() const override;
  void SetCheck8(bool ticked) override;
  [[nodiscard]] bool Check8Visible() const override;
  void SetCheck8Visible(bool visible) override;
  [[nodiscard]] PictureBox& Picture(int index) override;
  [[nodiscard]] Timer& Timer1() override { return *timer1_; }
  [[nodiscard]] WindowState State() const override;
  void SetState(WindowState state) override;
  void Focus() override;
  void Close() override;
  void PublishFinishedRefreshes(std::uint32_t count) override;

 private:
  class Control;
  template <typename Window>
  friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  static LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR self) noexcept;

  void Attach(HWND hwnd) { window_.reset(hwnd); }
  // The window is already being destroyed.
  void Detach() { static_cast<void>(window_.release()); }
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleChildMessage(Control& control, UINT message, WPARAM wparam, LPARAM lparam);

  void CreateControls();
  void CreateFonts();
  void Layout();
  void ClipUnderLaterControls(const Control& control, const PixelRect& rect) const;
  void SizeToClientArea();
  void OnActivate(WPARAM wparam);
  void OnCommand(WPARAM wparam);
  void OnDpiChanged(WPARAM wparam, const RECT& suggested);
  void OnApplySkin(const SkinPalette& palette);
  [[nodiscard]] LRESULT OnControlColor(HDC dc, HWND child);
  [[nodiscard]] LRESULT OnCustomDraw(LPARAM lparam);  // NM_CUSTOMDRAW
  void EraseBackground(HDC dc);
  void PaintFrame(Control& frame);
  void Unload();
  void RedrawAll() const;
  template <typename... Args>
  void Raise(void (MainViewEvents::*event)(Args...), Args... args) {
    if (events_) (events_->*event)(args...);
  }

  [[nodiscard]] COLORREF Resolve(Color color) const;
  [[nodiscard]] COLORREF TextColor() const;
  [[nodiscard]] HWND FirstTabStop() const;
  [[nodiscard]] HCURSOR CursorFor(MousePointer pointer) const;
  [[nodiscard]] Control* Find(HWND child) const;
  [[nodiscard]] Control& Named(std::string_view full_name) const;
  [[nodiscard]] std::string TextOf(std::string_view full_name) const;
  void SetTextOf(std::string_view full_name, std::string_view text);
  [[nodiscard]] bool Checked(std::string_view full_name) const;
  void SetChecked(std::string_view full_name, bool checked);

  MainViewEvents* events_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  Color back_color_ = kDesignBackColor;
  CachedBrush back_brush_;
  SkinPalette skin_;
  unique_hfont window_font_;
  unique_hfont button_font_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::array<PictureBoxWindow*, 4> pictures_{};  // owned by their controls
  std::unique_ptr<WindowTimer> timer1_;
  unique_hicon big_icon_;
  unique_hicon small_icon_;
  unique_hcursor custom_cursor_;
  MousePointer pointer_ = MousePointer::kDefault;
  WindowState hidden_state_ = WindowState::kNormal;  // the state to show with while hidden
  HWND last_focus_ = nullptr;
  bool setting_text_ = false;
  bool closing_ = false;
  // Last, so the window and its children are destroyed while everything above still exists.
  unique_hwnd window_;
};

}  // namespace wethrix::win32
