#pragma once
// Stands in for the shell's notification area, so a test sees which programs sent it icon records
// and what the area holds, also after a program has ended (the real one forgets the icons of a
// window as it goes). Shell_NotifyIconW hands its record to the first window of the class
// "Shell_TrayWnd" as WM_COPYDATA, whose data begins with the owner window, the id, the flags and
// the callback message in Wine's layout, and goes on with the tooltip, the balloon and, for an icon,
// its bitmaps; ours is made last and on top, so it is found first. While
// one lives, every program on the desktop talks to it: tests of the real area take its lock.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace wethrix::acceptance {

// An icon as the area got it: its size and the bits of its colour image, in Wine's record.
struct TrayPicture {
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> colour;
  friend bool operator==(const TrayPicture&, const TrayPicture&) = default;
};

class NotificationArea {
 public:
  NotificationArea();
  NotificationArea(const NotificationArea&) = delete;
  NotificationArea& operator=(const NotificationArea&) = delete;
  NotificationArea(NotificationArea&&) = delete;
  NotificationArea& operator=(NotificationArea&&) = delete;
  ~NotificationArea();

  // Whether the area holds an icon that `process` added; it keeps it after the process ends.
  [[nodiscard]] bool HoldsIconOf(DWORD process) const;
  // Whether any record came from a window of `process`, read when the record came.
  [[nodiscard]] bool HeardFrom(DWORD process) const;
  // The picture and the tooltip (UTF-8) of the icon `process` added, as its records last set them.
  [[nodiscard]] std::optional<TrayPicture> PictureOf(DWORD process) const;
  [[nodiscard]] std::string TipOf(DWORD process) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Run(std::promise<void>& ready);  // the thread: the window and its message loop
  BOOL Take(HWND sender, const COPYDATASTRUCT& data);

  struct Icon {
    DWORD process = 0;  // that added it
    std::optional<TrayPicture> picture;
    std::wstring tip;
  };
  static void Change(Icon& icon, const COPYDATASTRUCT& data);
  [[nodiscard]] const Icon* IconOf(DWORD process) const;

  mutable std::mutex mutex_;
  std::set<DWORD> senders_;  // the processes any record came from
  std::map<std::pair<HWND, UINT>, Icon> icons_;
  DWORD thread_id_ = 0;
  std::thread thread_;
};

// The icon each tooltip came with when first shown on a calm PC, to judge later icons by: an icon
// tells its tooltip's reading when it is that one and none of the others.
class KnownIcons {
 public:
  // The icon of the reading the tooltip of `process`'s icon tells now.
  void Learn(const NotificationArea& area, DWORD process);
  // Empty when the icon tells its tooltip's reading; otherwise what it tells instead.
  [[nodiscard]] std::string Misreading(const NotificationArea& area, DWORD process) const;
  [[nodiscard]] std::size_t Count() const { return known_.size(); }

 private:
  std::map<std::string, TrayPicture> known_;
};

}  // namespace wethrix::acceptance
