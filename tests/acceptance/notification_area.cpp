#include "tests/acceptance/notification_area.hpp"

#include <algorithm>

namespace wethrix::acceptance {
namespace {

constexpr wchar_t kAreaClass[] = L"Shell_TrayWnd";

// The part of Wine's record that every version shares.
struct RecordHead {
  LONG window;
  UINT id;
  UINT flags;
  UINT callback_message;
};

}  // namespace

NotificationArea::NotificationArea() {
  std::promise<void> ready;
  std::future<void> made = ready.get_future();
  thread_ = std::thread([this, &ready] { Run(ready); });
  made.wait();
}

NotificationArea::~NotificationArea() {
  ::PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
  thread_.join();
}

void NotificationArea::Run(std::promise<void>& ready) {
  thread_id_ = ::GetCurrentThreadId();
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &NotificationArea::WindowProc;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.lpszClassName = kAreaClass;
  ::RegisterClassExW(&window_class);  // already there for a second area in this process
  const HWND window = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kAreaClass, L"", WS_POPUP, 0, 0, 0,
                                        0, nullptr, nullptr, window_class.hInstance, this);
  MSG msg;
  ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue that the quit is posted to
  ready.set_value();
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  ::DestroyWindow(window);
}

LRESULT CALLBACK NotificationArea::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
  }
  auto* area = reinterpret_cast<NotificationArea*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_COPYDATA && area != nullptr) {
    return area->Take(reinterpret_cast<HWND>(wparam), *reinterpret_cast<const COPYDATASTRUCT*>(lparam));
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

// Answers as the shell does: an icon is added once, and only an icon that is there changes.
BOOL NotificationArea::Take(HWND sender, const COPYDATASTRUCT& data) {
  if (data.cbData < sizeof(RecordHead)) return FALSE;
  const auto& head = *static_cast<const RecordHead*>(data.lpData);
  const HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(head.window));
  DWORD process = 0;
  ::GetWindowThreadProcessId(owner != nullptr ? owner : sender, &process);
  const auto message = static_cast<DWORD>(data.dwData);
  const std::pair icon{owner, head.id};
  const std::lock_guard lock(mutex_);
  senders_.insert(process);
  switch (message) {
    case NIM_ADD:
      return icons_.emplace(icon, process).second ? TRUE : FALSE;
    case NIM_DELETE:
      return icons_.erase(icon) != 0 ? TRUE : FALSE;
    default:
      return icons_.contains(icon) ? TRUE : FALSE;
  }
}

bool NotificationArea::HoldsIconOf(DWORD process) const {
  const std::lock_guard lock(mutex_);
  return std::ranges::any_of(icons_, [process](const auto& icon) { return icon.second == process; });
}

bool NotificationArea::HeardFrom(DWORD process) const {
  const std::lock_guard lock(mutex_);
  return senders_.contains(process);
}

}  // namespace wethrix::acceptance
