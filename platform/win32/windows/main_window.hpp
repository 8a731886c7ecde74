#pragma once
// The main window Form1: a designed form (app/main_layout.hpp) that lives as long as the program.
// User actions become MainViewEvents; changes made through MainView raise none.
#include <windows.h>

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "app/main_view.hpp"
#include "options/palette_skin.hpp"
#include "platform/skin_engine.hpp"
#include "platform/win32/services/system_colors.hpp"
#include "platform/win32/services/window_timer.hpp"
#include "platform/win32/windows/designed_form.hpp"

namespace wethrix::win32 {

// Window property of the main window holding the number of finished refreshes.
inline constexpr wchar_t kFinishedRefreshesProperty[] = L"WethrixFinishedRefreshes";

class MainWindow final : public MainView, public DesignedForm {
 public:
  // Creates the window hidden, every control in its design state, drawn in `system_colors`' scheme.
  explicit MainWindow(HINSTANCE instance, const SystemColors& system_colors = DesktopColors());
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  MainWindow(MainWindow&&) = delete;
  MainWindow& operator=(MainWindow&&) = delete;
  ~MainWindow() override;

  // Receives the events of user actions; none are raised while it is null.
  void SetEvents(MainViewEvents* events) { events_ = events; }
  // The `apply` of PaletteSkin for this window: the palette of a skin applied to another window's
  // handle is left alone.
  [[nodiscard]] PaletteSkin::Apply SkinApplier();

  void Show() override;
  void Hide() override;

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
  [[nodiscard]] Timer& RetryTimer() override { return *retry_timer_; }
  [[nodiscard]] WindowState State() const override;
  void SetState(WindowState state) override;
  void Focus() override;
  void Close() override;
  void PublishFinishedRefreshes(std::uint32_t count) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnCommand(const DesignedControl& control, WORD code) override;
  void OnMouseMove(const DesignedControl* control) override;
  [[nodiscard]] COLORREF Resolve(Color color) const override;
  [[nodiscard]] COLORREF TextColor() const override;
  [[nodiscard]] COLORREF FrameTextColor() const override;

  void RaiseOwedActivation();
  void TakeSkin(const SkinPalette& palette);
  [[nodiscard]] LRESULT OnCustomDraw(LPARAM lparam);  // NM_CUSTOMDRAW
  void Unload();
  [[nodiscard]] bool Checked(std::string_view full_name) const;
  void SetChecked(std::string_view full_name, bool checked);

  MainViewEvents* events_ = nullptr;
  SkinPalette skin_;
  std::array<PictureBoxWindow*, 4> pictures_{};  // owned by their controls
  std::unique_ptr<WindowTimer> timer1_;
  std::unique_ptr<WindowTimer> retry_timer_;
  WindowState hidden_state_ = WindowState::kNormal;  // the state to show with while hidden
  bool closing_ = false;
  bool activation_owed_ = false;  // active, but not yet while shown
};

}  // namespace wethrix::win32
