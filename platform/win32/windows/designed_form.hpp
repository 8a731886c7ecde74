#pragma once
// What both of the program's forms are made of: a top-level window holding the controls of a
// design table (platform/form_design.hpp), with the fonts, colours, pointer, focus memory and DPI
// handling they share. A form adds its own controls' events and behaviour.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/contrast.hpp"
#include "platform/form_design.hpp"
#include "platform/form_window.hpp"
#include "platform/system_colors.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/accessibility.hpp"
#include "platform/win32/windows/picture_box.hpp"

namespace wethrix::win32 {

// Calls the event unless no one receives events.
template <typename Events, typename... Params, typename... Args>
void Raise(Events* events, void (Events::*event)(Params...), Args&&... args) {
  if (events) (events->*event)(std::forward<Args>(args)...);
}

// What a form's table pairs with the control of this name, or null.
template <typename Value, std::size_t N>
[[nodiscard]] const Value* Lookup(const std::pair<std::string_view, Value> (&table)[N],
                                  std::string_view name) {
  const auto found = std::ranges::find(table, name, &std::pair<std::string_view, Value>::first);
  return found == std::end(table) ? nullptr : &found->second;
}

// A brush of one colour, made again only when the colour changes.
class CachedBrush {
 public:
  [[nodiscard]] HBRUSH For(COLORREF color);

 private:
  unique_hbrush brush_;
  COLORREF color_ = 0;
};

// One designed control: its window, and the background colour the form draws it with.
class DesignedControl final : public FormControl {
 public:
  DesignedControl(const ControlDesign& design, HWND hwnd);
  DesignedControl(const ControlDesign& design, std::unique_ptr<PictureBoxWindow> picture);

  [[nodiscard]] ControlKind Kind() const override { return design_.kind; }
  [[nodiscard]] std::string Name() const override { return FullName(design_); }
  [[nodiscard]] Color BackColor() const override;
  void SetBackColor(Color color) override;

  [[nodiscard]] const ControlDesign& Design() const { return design_; }
  [[nodiscard]] HWND Hwnd() const { return hwnd_; }
  [[nodiscard]] PictureBoxWindow* Picture() const { return picture_.get(); }
  [[nodiscard]] HBRUSH Brush(COLORREF color) { return brush_.For(color); }

  // The text the control shows as last read or set, so that reading it again sends no message:
  // each is dear under Wine, and one refresh reads several. Empty when not known.
  [[nodiscard]] const std::optional<std::string>& KnownText() const { return known_text_; }
  void KnowText(std::optional<std::string> text) { known_text_ = std::move(text); }

  // Where the control was last put, and whether it was given a clipping region: moving a window
  // to where it is, or taking away a region it does not have, still costs window-server work.
  [[nodiscard]] const std::optional<PixelRect>& Placed() const { return placed_; }
  void SetPlaced(const PixelRect& rect) { placed_ = rect; }
  [[nodiscard]] bool Clipped() const { return clipped_; }
  void SetClipped(bool clipped) { clipped_ = clipped; }

 private:
  const ControlDesign& design_;
  HWND hwnd_;
  Color back_color_;
  std::unique_ptr<PictureBoxWindow> picture_;
  CachedBrush brush_;
  std::optional<std::string> known_text_;
  std::optional<PixelRect> placed_;
  bool clipped_ = false;
};

// Where one form's window is not like the other's.
struct FormClass {
  const wchar_t* name;
  DWORD style;
  DWORD ex_style;
  int client_width_twips;
  int client_height_twips;
  std::string_view default_button;  // pressed by Enter; empty when Enter presses nothing
  // The default pointer is each control's own (the text cursor over a text box), not the arrow.
  bool default_pointer_per_control;
};

class DesignedForm : public virtual FormWindow {
 public:
  DesignedForm(const DesignedForm&) = delete;
  DesignedForm& operator=(const DesignedForm&) = delete;
  DesignedForm(DesignedForm&&) = delete;
  DesignedForm& operator=(DesignedForm&&) = delete;
  // A form destroys its window in its own destructor, while the members its handlers use exist.
  ~DesignedForm() override;

  [[nodiscard]] HWND Hwnd() const { return window_.get(); }
  // The message loop offers every message here first; true means it was handled (keyboard
  // navigation between the controls, Enter, Esc) and must not be dispatched again.
  [[nodiscard]] bool PreTranslate(MSG& msg) const;
  // The control with this name ("Label3(2)" for an array element); null for a name that is not
  // in the design, and while the window does not exist.
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
  [[nodiscard]] Accessibility& Accessible() override { return accessibility_; }
  [[nodiscard]] bool Visible() const override {
    return Hwnd() != nullptr && ::IsWindowVisible(Hwnd()) != FALSE;
  }

 protected:
  DesignedForm(HINSTANCE instance, const FormClass& form_class, std::span<const ControlDesign> design,
               const SystemColors& system_colors);

  // Creates the window hidden, sized to the designed client area, every control and every form
  // property in its design state.
  void CreateForm();
  void DestroyForm();

  // Messages a form does not handle itself go here.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // A control's notification. A text change made by code is not the user's and does not come here.
  virtual void OnCommand(const DesignedControl& control, WORD code) = 0;
  // The mouse moved over a control, or over the form's background when null.
  virtual void OnMouseMove(const DesignedControl* control) = 0;
  // A stored colour as the form draws it.
  [[nodiscard]] virtual COLORREF Resolve(Color color) const;
  [[nodiscard]] virtual COLORREF TextColor() const = 0;
  [[nodiscard]] virtual COLORREF FrameTextColor() const { return TextColor(); }

  // Remembers the focus on leaving the window and gives it back on return; the first time, to
  // the first control in the tab order.
  void OnActivate(WPARAM wparam);
  void RedrawAll() const;
  [[nodiscard]] DesignedControl* Find(HWND child) const;
  // For the names a form itself uses: a name not in the design is a fault.
  [[nodiscard]] DesignedControl& Named(std::string_view full_name) const;
  [[nodiscard]] std::string TextOf(std::string_view full_name) const;
  void SetTextOf(std::string_view full_name, std::string_view text);
  [[nodiscard]] HFONT ButtonFont() const { return button_font_.get(); }
  // Whether the theme was high-contrast when the window last looked; its colours then win.
  [[nodiscard]] bool HighContrast() const { return high_contrast_; }

 private:
  template <typename Window>
  friend LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  static LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR self) noexcept;

  void Attach(HWND hwnd) { window_.reset(hwnd); }
  // The window is already being destroyed.
  void Detach() { static_cast<void>(window_.release()); }
  LRESULT HandleChildMessage(DesignedControl& control, UINT message, WPARAM wparam, LPARAM lparam);

  void ResetToDesign();
  void CreateFonts();
  void CreateControls();
  void Layout();
  void ClipUnderLaterControls(DesignedControl& control, const PixelRect& rect) const;
  [[nodiscard]] PixelRect PlaceOf(const ControlDesign& control) const;
  [[nodiscard]] RECT FrameAtDpi() const;
  void SizeToClientArea();
  [[nodiscard]] bool FitsTheForm(const RECT& place) const;
  void DispatchCommand(WPARAM wparam);
  void OnDpiChanged(WPARAM wparam, const RECT* suggested);
  [[nodiscard]] LRESULT OnSetCursor(WPARAM wparam, LPARAM lparam);
  [[nodiscard]] LRESULT OnControlColor(HDC dc, HWND child);
  // A theme switch or new system colours: whatever process sent it, nothing of it is read.
  void FollowSystemColors(bool colors_changed);
  [[nodiscard]] Ink Drawn(std::optional<ControlKind> kind, Color back, COLORREF text) const;
  void EraseBackground(HDC dc);
  void PaintFrame(DesignedControl& frame);
  [[nodiscard]] HWND FirstTabStop() const;
  [[nodiscard]] HCURSOR CursorFor(MousePointer pointer) const;

  HINSTANCE instance_;
  FormClass form_class_;
  std::span<const ControlDesign> design_;
  const SystemColors& system_colors_;
  bool high_contrast_ = false;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  Color back_color_ = kDesignBackColor;
  CachedBrush back_brush_;
  unique_hfont window_font_;
  unique_hfont button_font_;
  unique_hicon big_icon_;
  unique_hicon small_icon_;
  unique_hcursor custom_cursor_;  // null: the system hand
  MousePointer pointer_ = MousePointer::kDefault;
  HWND last_focus_ = nullptr;
  bool setting_text_ = false;
  std::vector<std::unique_ptr<DesignedControl>> controls_;  // in design order
  Win32Accessibility accessibility_;
  // Last, so the window and its children are destroyed while everything above still exists.
  unique_hwnd window_;
};

}  // namespace wethrix::win32
