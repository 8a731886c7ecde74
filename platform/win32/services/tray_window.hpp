#pragma once
#include <windows.h>

#include <optional>

#include "platform/tray_window.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/tray_hook.hpp"

namespace wethrix::win32 {

// A hidden top-level window, not a message-only one: only top-level windows hear the shell's
// "TaskbarCreated" broadcast. Its object pointer lives in the window's extra bytes, since the
// user data belongs to the tray hook.
class Win32TrayWindow final : public TrayWindow {
 public:
  static constexpr UINT_PTR kRetryTimerId = 1;

  Win32TrayWindow();
  Win32TrayWindow(const Win32TrayWindow&) = delete;
  Win32TrayWindow& operator=(const Win32TrayWindow&) = delete;
  Win32TrayWindow(Win32TrayWindow&&) = delete;
  Win32TrayWindow& operator=(Win32TrayWindow&&) = delete;
  ~Win32TrayWindow() override = default;

  [[nodiscard]] std::uintptr_t Handle() const override {
    return reinterpret_cast<std::uintptr_t>(window_.get());
  }
  void SetClient(TrayWindowClient* client) noexcept override { client_ = client; }
  void InstallHook(TrayWindowClient& control) override;
  void RemoveHook() noexcept override { hook_.reset(); }
  void StartRetryTimer(std::chrono::milliseconds interval) override;
  void StopRetryTimer() noexcept override;

  [[nodiscard]] HWND Window() const noexcept { return window_.get(); }
  [[nodiscard]] UINT TaskbarCreatedMessage() const noexcept { return taskbar_created_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  void Tell(void (TrayWindowClient::*event)()) noexcept;

  UINT taskbar_created_;
  TrayWindowClient* client_ = nullptr;
  unique_hwnd window_;
  std::optional<TrayHook> hook_;  // after window_: the hook is undone before the window goes
};

}  // namespace wethrix::win32
