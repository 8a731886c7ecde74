// A child process for the launch-and-wait tests:
//   test_child exit-after <milliseconds> <code>  exits with <code> that long after it was created
//   test_child forever <file> <event>            holds <file> open exclusively, sets the named
//                                                event, and never exits
//   test_child show-style                        exits with the window style it was given
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.hpp"

namespace {

ULONGLONG Milliseconds(const FILETIME& time) {
  return (ULONGLONG{time.dwHighDateTime} << 32U | time.dwLowDateTime) / 10000;
}

// Measured from the creation of the process, so the time the system takes to start it counts.
int ExitAfter(ULONGLONG milliseconds, int code) {
  FILETIME created{};
  FILETIME exited{};
  FILETIME kernel{};
  FILETIME user{};
  FILETIME now{};
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  ::GetSystemTimeAsFileTime(&now);
  const ULONGLONG elapsed = Milliseconds(now) - Milliseconds(created);
  if (elapsed < milliseconds) ::Sleep(static_cast<DWORD>(milliseconds - elapsed));
  return code;
}

int Forever(const wchar_t* path, const wchar_t* event_name) {
  const wethrix::win32::unique_file_handle held(
      ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!held) return 2;
  {
    const wethrix::win32::unique_kernel_handle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, event_name));
    if (!event || !::SetEvent(event.get())) return 3;
  }
  ::Sleep(INFINITE);
  return 0;
}

int ShowStyle() {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  ::GetStartupInfoW(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"exit-after" && argc == 4) return ExitAfter(std::stoull(argv[2]), std::stoi(argv[3]));
  if (mode == L"forever" && argc == 4) return Forever(argv[2], argv[3]);
  if (mode == L"show-style") return ShowStyle();
  return 1;
}
