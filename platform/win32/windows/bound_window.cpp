#include "platform/win32/windows/bound_window.hpp"

#include "platform/win32/services/check.hpp"

namespace wethrix::win32 {

void RegisterWindowClass(const WNDCLASSEXW& window_class) {
  if (!::RegisterClassExW(&window_class) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) ThrowLastError();
}

}  // namespace wethrix::win32
