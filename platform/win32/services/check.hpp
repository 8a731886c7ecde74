#pragma once
// Win32 failures become AppError carrying the system's own message.
#include <windows.h>

#include <string>

#include "platform/errors.hpp"

namespace wethrix::win32 {

[[nodiscard]] std::string SystemMessage(DWORD error);
[[noreturn]] void ThrowWin32Error(DWORD error);
[[noreturn]] inline void ThrowLastError() {
  ThrowWin32Error(::GetLastError());
}

inline void ThrowIfFalse(BOOL ok) {
  if (!ok) ThrowLastError();
}
// For the Reg* family, which returns the error code instead of setting the last error.
inline void ThrowIfFailed(LSTATUS status) {
  if (status != ERROR_SUCCESS) ThrowWin32Error(static_cast<DWORD>(status));
}

}  // namespace wethrix::win32
