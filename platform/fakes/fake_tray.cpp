#include "platform/fakes/fake_tray.hpp"

namespace wethrix::fakes {

bool FakeTrayShell::Notify(std::uint32_t message, const NotifyRecord& record) noexcept {
  sent.push_back({message, record});
  if (on_notify) on_notify(sent.back());
  if (message != kNimAdd || refused_adds <= 0) return true;
  --refused_adds;
  return false;
}

void FakeTrayWindow::InstallHook(TrayWindowClient& control) {
  hooked_ = &control;
  ++hook_installs_;
}

bool FakeTrayWindow::SendTrayMessage(std::uint32_t lparam, std::uint32_t wparam) {
  if (hooked_ == nullptr) return false;
  hooked_->HandleTrayMessage(lparam, wparam);
  return true;
}

void FakeTrayWindow::BroadcastTaskbarCreated() {
  if (client_ != nullptr) client_->TaskbarCreated();
}

bool FakeTrayWindow::TickRetryTimer() {
  if (!retry_interval || client_ == nullptr) return false;
  client_->RetryTimerTick();
  return true;
}

}  // namespace wethrix::fakes
