#include "platform/win32/services/single_instance.hpp"

#include "platform/win32/services/app_messages.hpp"

namespace wethrix::win32 {
namespace {

// The installed and the portable copy alike: the name holds no path.
constexpr wchar_t kMutexName[] = L"Local\\Kestrivon.Wethrix.OneCopy";
// Marks the running copy's main window among others of its class, such as those of the tests.
constexpr wchar_t kRunningCopyProperty[] = L"WethrixRunningCopy";
// A copy still loading after this long is left alone: it may be showing a box to the user.
constexpr DWORD kReadyWaitMs = 10000;

HWND FindRunningCopy() {
  HWND window = nullptr;
  while ((window = ::FindWindowExW(nullptr, window, kMainWindowClassName, nullptr)) != nullptr) {
    if (::GetPropW(window, kRunningCopyProperty) != nullptr) return window;
  }
  return nullptr;
}

// This start was the user's own, so it may pass the foreground on to the copy it brings back.
void AskToShow(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  ::AllowSetForegroundWindow(process);
  ::PostMessageW(window, kShowRunningCopyMessage, 0, 0);
}

}  // namespace

SingleInstance::SingleInstance()
    : mutex_(::CreateMutexW(nullptr, TRUE, kMutexName)),
      owned_(mutex_ && ::GetLastError() != ERROR_ALREADY_EXISTS) {}

bool SingleInstance::HandedOver() {
  if (owned_ || !mutex_) return false;
  const DWORD waited = ::WaitForSingleObject(mutex_.get(), kReadyWaitMs);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return true;
  // A copy that is ready is asked to show itself. With none left, as when it ended while loading
  // or was closed meanwhile, this start is the one copy and holds the mutex until it is ready.
  const HWND running = FindRunningCopy();
  if (running == nullptr) {
    owned_ = true;
    return false;
  }
  ::ReleaseMutex(mutex_.get());
  AskToShow(running);
  return true;
}

void SingleInstance::Ready(HWND main_window) {
  if (!owned_) return;
  ::SetPropW(main_window, kRunningCopyProperty, main_window);
  ::ReleaseMutex(mutex_.get());
  owned_ = false;
}

}  // namespace wethrix::win32
