#include "platform/win32/skin_palette.hpp"

#include "platform/win32/app_messages.hpp"

namespace wethrix::win32 {

void SendSkinPalette(std::int32_t window, const SkinPalette& palette) {
  // Window handles are 32-bit values sign-extended to pointer size.
  const auto hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
  if (!::IsWindow(hwnd)) return;
  DWORD process = 0;
  ::GetWindowThreadProcessId(hwnd, &process);
  if (process != ::GetCurrentProcessId()) return;
  ::SendMessageW(hwnd, kApplySkinMessage, 0, reinterpret_cast<LPARAM>(&palette));
}

}  // namespace wethrix::win32
