// Holds Wine's desktop open for a whole test run. Wine ends its desktop process a moment after the
// last program on the desktop ends, and the next test program that opens a window starts it anew.
// That process inherits the test program's output, so ctest would count every later test against
// that one and hold its slot until the run ends. Started with no output of its own before ctest,
// this program keeps the first desktop process alive; `wineserver -k` ends both.
// Usage: desktop_keeper READY-FILE (written once the desktop is there)
#include <windows.h>

#include "platform/win32/handles/unique_handle.hpp"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2 || ::GetDesktopWindow() == nullptr) return 2;
  const wethrix::win32::unique_file_handle ready{
      ::CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (!ready) return 1;
  // A running process's own handle is never signalled: this waits until the process is ended.
  ::WaitForSingleObject(::GetCurrentProcess(), INFINITE);
  return 0;
}
