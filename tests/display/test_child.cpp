// A child process for the launch-and-wait tests:
//   test_child exit-when-set <event> <code>  exits with <code> once the named event is set
//   test_child forever <file> <event>         holds <file> open exclusively, sets the named event,
//                                             and never exits
//   test_child show-style                     exits with the window style it was given
#include <windows.h>

#include <string>

#include "platform/win32/handles/unique_handle.hpp"

namespace {

// Bounded, so that a child whose test has failed does not outlive the run.
constexpr DWORD kLongestWaitForTheTest = 60000;

int ExitWhenSet(const wchar_t* event_name, int code) {
  const wethrix::win32::unique_kernel_handle event(::OpenEventW(SYNCHRONIZE, FALSE, event_name));
  if (!event) return 2;
  return ::WaitForSingleObject(event.get(), kLongestWaitForTheTest) == WAIT_OBJECT_0 ? code : 3;
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
  if (mode == L"exit-when-set" && argc == 4) return ExitWhenSet(argv[2], std::stoi(argv[3]));
  if (mode == L"forever" && argc == 4) return Forever(argv[2], argv[3]);
  if (mode == L"show-style") return ShowStyle();
  return 1;
}
