#include "tests/acceptance/notification_area.hpp"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "platform/win32/services/wide.hpp"

namespace wethrix::acceptance {
namespace {

constexpr wchar_t kAreaClass[] = L"Shell_TrayWnd";

// Wine's record: the fields of the icon data in a fixed layout, then, for an icon, the bits of its
// mask and of its colour image.
struct Record {
  LONG window;
  UINT id;
  UINT flags;
  UINT callback_message;
  WCHAR tip[128];
  DWORD state;
  DWORD state_mask;
  WCHAR info[256];
  UINT timeout;
  WCHAR info_title[64];
  DWORD info_flags;
  GUID item;
  UINT width;
  UINT height;
  UINT planes;
  UINT bits_per_pixel;
};

// Bytes of an image of so many bits, in whole 16-bit words, as GetBitmapBits gives them.
std::size_t BitmapBytes(UINT planes, UINT width, UINT height, UINT bits_per_pixel) {
  return (std::size_t{planes} * width * height * bits_per_pixel + 15) / 16 * 2;
}

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
  if (data.cbData < sizeof(Record)) return FALSE;
  const auto& record = *static_cast<const Record*>(data.lpData);
  const HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(record.window));
  DWORD process = 0;
  ::GetWindowThreadProcessId(owner != nullptr ? owner : sender, &process);
  const auto message = static_cast<DWORD>(data.dwData);
  const std::pair key{owner, record.id};
  const std::lock_guard lock(mutex_);
  senders_.insert(process);
  if (message == NIM_ADD) {
    const auto [added, fresh] = icons_.emplace(key, Icon{process, std::nullopt, {}});
    if (fresh) Change(added->second, data);
    return fresh ? TRUE : FALSE;
  }
  const auto icon = icons_.find(key);
  if (icon == icons_.end()) return FALSE;
  if (message == NIM_DELETE) {
    icons_.erase(icon);
  } else if (message == NIM_MODIFY) {
    Change(icon->second, data);
  }
  return TRUE;
}

void NotificationArea::Change(Icon& icon, const COPYDATASTRUCT& data) {
  const auto& record = *static_cast<const Record*>(data.lpData);
  if ((record.flags & NIF_TIP) != 0) {
    icon.tip.assign(record.tip, ::wcsnlen(record.tip, std::size(record.tip)));
  }
  if ((record.flags & NIF_ICON) == 0) return;
  const std::size_t mask = BitmapBytes(1, record.width, record.height, 1);
  const std::size_t colour = BitmapBytes(record.planes, record.width, record.height, record.bits_per_pixel);
  if (data.cbData != sizeof(Record) + mask + colour || record.bits_per_pixel <= 1) {
    icon.picture.reset();  // no colour image, or a layout this reading does not know
    return;
  }
  const auto* bits = static_cast<const BYTE*>(data.lpData) + sizeof(Record) + mask;
  icon.picture = TrayPicture{record.width, record.height, std::vector<BYTE>(bits, bits + colour)};
}

const NotificationArea::Icon* NotificationArea::IconOf(DWORD process) const {
  const auto found =
      std::ranges::find_if(icons_, [process](const auto& icon) { return icon.second.process == process; });
  return found == icons_.end() ? nullptr : &found->second;
}

std::optional<TrayPicture> NotificationArea::PictureOf(DWORD process) const {
  const std::lock_guard lock(mutex_);
  const Icon* icon = IconOf(process);
  return icon != nullptr ? icon->picture : std::nullopt;
}

std::string NotificationArea::TipOf(DWORD process) const {
  const std::lock_guard lock(mutex_);
  const Icon* icon = IconOf(process);
  return icon != nullptr ? win32::Narrow(icon->tip) : std::string();
}

bool NotificationArea::HoldsIconOf(DWORD process) const {
  const std::lock_guard lock(mutex_);
  return IconOf(process) != nullptr;
}

bool NotificationArea::HeardFrom(DWORD process) const {
  const std::lock_guard lock(mutex_);
  return senders_.contains(process);
}

void KnownIcons::Learn(const NotificationArea& area, DWORD process) {
  if (const auto picture = area.PictureOf(process)) known_[area.TipOf(process)] = *picture;
}

std::string KnownIcons::Misreading(const NotificationArea& area, DWORD process) const {
  const std::string tip = area.TipOf(process);
  const auto picture = area.PictureOf(process);
  if (!picture) return "no icon, with the tooltip " + tip;
  if (!known_.contains(tip)) return "no calm icon to judge by, for the tooltip " + tip;
  for (const auto& [other, known] : known_) {
    if ((*picture == known) != (other == tip)) {
      return std::string("the tooltip tells ").append(tip).append(", the icon ").append(other);
    }
  }
  return {};
}

}  // namespace wethrix::acceptance
