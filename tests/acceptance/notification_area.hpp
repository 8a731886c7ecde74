#pragma once
// Stands in for the shell's notification area, so a test sees which programs sent it icon records
// and what the area holds, also after a program has ended (the real one forgets the icons of a
// window as it goes). Shell_NotifyIconW hands its record to the first window of the class
// "Shell_TrayWnd" as WM_COPYDATA, whose data begins with the owner window, the id, the flags and
// the callback message in Wine's layout; ours is made last and on top, so it is found first. While
// one lives, every program on the desktop talks to it: tests of the real area take its lock.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <future>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace wethrix::acceptance {

class NotificationArea {
 public:
  NotificationArea();
  NotificationArea(const NotificationArea&) = delete;
  NotificationArea& operator=(const NotificationArea&) = delete;
  ~NotificationArea();

  // Whether the area holds an icon that `process` added; it keeps it after the process ends.
  [[nodiscard]] bool HoldsIconOf(DWORD process) const;
  // Whether any record came from a window of `process`, read when the record came.
  [[nodiscard]] bool HeardFrom(DWORD process) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Run(std::promise<void>& ready);  // the thread: the window and its message loop
  BOOL Take(HWND sender, const COPYDATASTRUCT& data);

  mutable std::mutex mutex_;
  std::set<DWORD> senders_;                       // the processes any record came from
  std::map<std::pair<HWND, UINT>, DWORD> icons_;  // to the process that added each
  DWORD thread_id_ = 0;
  std::thread thread_;
};

}  // namespace wethrix::acceptance
