#pragma once
#include <windows.h>

#include "platform/timer.hpp"

namespace wethrix::win32 {

// A timer on a window: SetTimer while enabled with a non-zero interval, as a designed timer
// with interval 0 never ticks. The window calls Tick when WM_TIMER arrives with this id.
class WindowTimer final : public Timer {
 public:
  WindowTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
  WindowTimer(const WindowTimer&) = delete;
  WindowTimer& operator=(const WindowTimer&) = delete;
  WindowTimer(WindowTimer&&) = delete;
  WindowTimer& operator=(WindowTimer&&) = delete;
  ~WindowTimer() override { Stop(); }

  void SetInterval(std::chrono::milliseconds interval) override;
  void SetEnabled(bool enabled) override;
  [[nodiscard]] bool Enabled() const override { return enabled_; }
  [[nodiscard]] std::chrono::milliseconds Interval() const override { return interval_; }
  void OnTick(std::function<void()> handler) override { handler_ = std::move(handler); }

  [[nodiscard]] UINT_PTR Id() const { return id_; }
  void Tick() const;

 private:
  void Restart();
  void Stop() noexcept;

  HWND window_;
  UINT_PTR id_;
  std::chrono::milliseconds interval_{0};
  bool enabled_ = false;
  bool running_ = false;
  std::function<void()> handler_;
};

}  // namespace wethrix::win32
