#pragma once
// cSysTray: the control that owns one notification-area icon, its tooltip and balloons, and
// turns the shell's reports about the icon into mouse events.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/clock.hpp"
#include "platform/event_pump.hpp"
#include "platform/picture.hpp"
#include "platform/tray_shell.hpp"
#include "platform/tray_window.hpp"

namespace wethrix {

enum class TrayButton : std::int16_t { kLeft = 1, kRight = 2 };

// In design mode the control only records InTray; it never touches the shell or its window.
enum class HostMode { kUser, kDesign };

struct TwipSize {
  int width = 0;
  int height = 0;
};

class cSysTray final : public TrayWindowClient {
 public:
  using MoveHandler = std::function<void(std::int32_t id)>;
  using ButtonHandler = std::function<void(TrayButton button, std::int32_t id)>;

  static constexpr int kSizeTwips = 510;
  static constexpr std::string_view kDefaultTip = "Telnet Server";

  cSysTray(std::unique_ptr<TrayWindow> window, TrayShell& shell, EventPump& pump, Clock& clock,
           HostMode mode = HostMode::kUser);
  // Takes the icon out of the tray and puts the window's procedure back.
  ~cSysTray() override;
  cSysTray(const cSysTray&) = delete;
  cSysTray& operator=(const cSysTray&) = delete;
  cSysTray(cSysTray&&) = delete;
  cSysTray& operator=(cSysTray&&) = delete;

  // Accepts icon pictures only; none or a bitmap leaves the held icon. The replaced icon is
  // released once the shell holds the new one.
  void SetTrayIcon(PicturePtr icon);
  [[nodiscard]] PicturePtr TrayIcon() const { return icon_; }
  void SetTrayTip(std::string tip);
  [[nodiscard]] const std::string& TrayTip() const { return tip_; }
  void SetInTray(bool show);
  [[nodiscard]] bool InTray() const { return in_tray_; }

  // Shows a balloon. With `show_timer` > 0 waits up to that many seconds, letting window events
  // run, and clears the balloon if it is still up; `show_once` limits such balloons to one per
  // control. Throws Overflow when `show_timer` in milliseconds leaves the 32-bit range.
  void ShowBalloon(std::string_view tip, std::string_view title, int show_timer = 0, bool show_once = false);

  // Events, raised synchronously from HandleTrayMessage.
  void OnMouseMove(MoveHandler handler) { mouse_move_ = std::move(handler); }
  void OnMouseDown(ButtonHandler handler) { mouse_down_ = std::move(handler); }
  void OnMouseUp(ButtonHandler handler) { mouse_up_ = std::move(handler); }
  void OnMouseDblClick(ButtonHandler handler) { mouse_dbl_click_ = std::move(handler); }

  void HandleTrayMessage(std::uint32_t lparam, std::uint32_t wparam) override;
  void TaskbarCreated() override;
  void RetryTimerTick() override;

  [[nodiscard]] bool IconAdded() const { return icon_added_; }
  [[nodiscard]] bool BalloonVisible() const { return balloon_visible_; }
  [[nodiscard]] std::int32_t OnceCount() const { return once_count_; }
  [[nodiscard]] bool DesignMode() const { return mode_ == HostMode::kDesign; }
  // Whatever size the host offers, the control keeps itself 510 x 510 twips.
  [[nodiscard]] static constexpr TwipSize Resize(TwipSize /*offered*/) { return {kSizeTwips, kSizeTwips}; }

 private:
  void AddToTray();
  void RemoveFromTray() noexcept;
  [[nodiscard]] bool SendAdd() noexcept;
  void Send(std::uint32_t message, const NotifyRecord& record) noexcept;
  void StopRetrying() noexcept;
  void WaitForBalloon(std::chrono::seconds limit);
  static void RaiseButton(const ButtonHandler& handler, TrayButton button, std::uint32_t wparam);
  [[nodiscard]] std::uintptr_t WindowHandle() const { return window_->Handle(); }
  [[nodiscard]] std::uintptr_t IconHandle() const { return icon_ ? icon_->Handle() : 0; }

  std::unique_ptr<TrayWindow> window_;
  TrayShell& shell_;
  EventPump& pump_;
  Clock& clock_;
  HostMode mode_;

  bool in_tray_ = false;
  std::string tip_{kDefaultTip};
  PicturePtr icon_;
  bool icon_added_ = false;
  bool balloon_visible_ = false;
  std::int32_t once_count_ = 0;
  bool retrying_ = false;
  std::chrono::steady_clock::time_point retry_until_{};

  MoveHandler mouse_move_;
  ButtonHandler mouse_down_;
  ButtonHandler mouse_up_;
  ButtonHandler mouse_dbl_click_;
};

}  // namespace wethrix
