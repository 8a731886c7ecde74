#pragma once
// The tray control's own hidden top-level window: the hWnd of its records, the target of the
// shell's callback message and of the "TaskbarCreated" broadcast, and the owner of a retry timer.
#include <chrono>
#include <cstdint>

namespace wethrix {

// What the window reports to the control that owns it.
class TrayWindowClient {
 public:
  virtual ~TrayWindowClient() = default;
  // The shell's callback message: `lparam` the mouse or notification message, `wparam` the icon id.
  virtual void HandleTrayMessage(std::uint32_t lparam, std::uint32_t wparam) = 0;
  // The shell (Explorer) started again and has forgotten every icon.
  virtual void TaskbarCreated() = 0;
  virtual void RetryTimerTick() = 0;
};

class TrayWindow {
 public:
  virtual ~TrayWindow() = default;
  [[nodiscard]] virtual std::uintptr_t Handle() const = 0;
  // Receiver of TaskbarCreated and RetryTimerTick for the window's whole life.
  virtual void SetClient(TrayWindowClient* client) noexcept = 0;
  // Routes the callback message to `control` until RemoveHook; every message still reaches the
  // window's own procedure.
  virtual void InstallHook(TrayWindowClient& control) = 0;
  virtual void RemoveHook() noexcept = 0;
  virtual void StartRetryTimer(std::chrono::milliseconds interval) = 0;
  virtual void StopRetryTimer() noexcept = 0;
};

}  // namespace wethrix
