#pragma once
// Stand-ins for the shell's notification area, the tray control's window and pictures.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/picture.hpp"
#include "platform/tray_shell.hpp"
#include "platform/tray_window.hpp"

namespace wethrix::fakes {

struct SentRecord {
  std::uint32_t message = 0;
  NotifyRecord record;
};

// Records every record; refuses the next `refused_adds` adds.
class FakeTrayShell final : public TrayShell {
 public:
  [[nodiscard]] bool Notify(std::uint32_t message, const NotifyRecord& record) noexcept override;
  std::vector<SentRecord> sent;
  int refused_adds = 0;
  std::function<void(const SentRecord&)> on_notify;  // runs before the record is judged
};

// Delivers what the real window would: callback messages only while hooked, the broadcast and
// retry ticks to the client.
class FakeTrayWindow final : public TrayWindow {
 public:
  [[nodiscard]] std::uintptr_t Handle() const override { return handle; }
  void SetClient(TrayWindowClient* client) noexcept override { client_ = client; }
  void InstallHook(TrayWindowClient& control) override;
  void RemoveHook() noexcept override { hooked_ = nullptr; }
  void StartRetryTimer(std::chrono::milliseconds interval) override { retry_interval = interval; }
  void StopRetryTimer() noexcept override { retry_interval.reset(); }

  // False when the message did not pass through a hook.
  bool SendTrayMessage(std::uint32_t lparam, std::uint32_t wparam = 0);
  void BroadcastTaskbarCreated();
  // False when no retry timer runs.
  bool TickRetryTimer();
  [[nodiscard]] bool Hooked() const { return hooked_ != nullptr; }
  [[nodiscard]] int HookInstalls() const { return hook_installs_; }

  std::uintptr_t handle = 0x10ABC;
  std::optional<std::chrono::milliseconds> retry_interval;

 private:
  TrayWindowClient* client_ = nullptr;
  TrayWindowClient* hooked_ = nullptr;
  int hook_installs_ = 0;
};

class FakePicture final : public Picture {
 public:
  FakePicture(PictureType type, std::uintptr_t handle) : type_(type), handle_(handle) {}
  [[nodiscard]] PictureType Type() const override { return type_; }
  [[nodiscard]] std::uintptr_t Handle() const override { return handle_; }

 private:
  PictureType type_;
  std::uintptr_t handle_;
};

}  // namespace wethrix::fakes
