#include "platform/win32/services/shell_open.hpp"

#include <shellapi.h>

#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {

void Win32ShellOpen::Open(std::string_view file, std::string_view directory, int show_command) {
  // The outcome is not reported: a missing browser is the shell's to explain.
  ::ShellExecuteW(owner_, nullptr, Widen(file).c_str(), nullptr, Widen(directory).c_str(), show_command);
}

}  // namespace wethrix::win32
