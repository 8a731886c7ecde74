#pragma once
// The key dialog Form3: a designed form (options/key_dialog_layout.hpp) whose window exists only
// while the dialog is loaded. User actions become KeyDialogEvents; changes made through
// KeyDialogView raise none.
#include <windows.h>

#include <string_view>

#include "options/key_dialog_view.hpp"
#include "platform/win32/services/system_colors.hpp"
#include "platform/win32/windows/designed_form.hpp"

namespace wethrix::win32 {

class KeyDialogWindow final : public KeyDialogView, public DesignedForm {
 public:
  // Each loading draws in `system_colors`' scheme as it is then.
  explicit KeyDialogWindow(HINSTANCE instance, const SystemColors& system_colors = DesktopColors());
  KeyDialogWindow(const KeyDialogWindow&) = delete;
  KeyDialogWindow& operator=(const KeyDialogWindow&) = delete;
  KeyDialogWindow(KeyDialogWindow&&) = delete;
  KeyDialogWindow& operator=(KeyDialogWindow&&) = delete;
  ~KeyDialogWindow() override;

  // Receives the events of user actions; none are raised while it is null.
  void SetEvents(KeyDialogEvents* events) { events_ = events; }

  void Show() override;
  void Hide() override;

  void Load() override;
  void Unload() override;
  [[nodiscard]] bool Loaded() const override { return Hwnd() != nullptr; }
  [[nodiscard]] std::string Text1() const override;
  void SetText1(std::string_view text) override;
  void SetText1Selection(std::size_t start, std::size_t length) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnCommand(const DesignedControl& control, WORD code) override;
  void OnMouseMove(const DesignedControl* control) override;
  [[nodiscard]] COLORREF TextColor() const override;

  void CentreInWorkArea();

  KeyDialogEvents* events_ = nullptr;
};

}  // namespace wethrix::win32
