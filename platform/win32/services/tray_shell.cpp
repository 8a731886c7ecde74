#include "platform/win32/services/tray_shell.hpp"

// shellapi.h needs windows.h first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstring>

namespace wethrix::win32 {
namespace {

static_assert(kNotifyRecordSize == NOTIFYICONDATAW_V2_SIZE, "the record ends where guidItem would begin");
static_assert(sizeof(NotifyRecord::szTip) == sizeof(NOTIFYICONDATAW::szTip));
static_assert(sizeof(NotifyRecord::szInfo) == sizeof(NOTIFYICONDATAW::szInfo));
static_assert(sizeof(NotifyRecord::szInfoTitle) == sizeof(NOTIFYICONDATAW::szInfoTitle));
static_assert(kNimAdd == NIM_ADD && kNimModify == NIM_MODIFY && kNimDelete == NIM_DELETE);
static_assert(kNifMessage == NIF_MESSAGE && kNifIcon == NIF_ICON && kNifTip == NIF_TIP &&
              kNifInfo == NIF_INFO);

// Fresh and zero-filled on every call, so nothing of an earlier operation leaks into the next.
NOTIFYICONDATAW ToNotifyIconData(const NotifyRecord& record) {
  NOTIFYICONDATAW data{};
  data.cbSize = record.cbSize;
  data.hWnd = reinterpret_cast<HWND>(record.hWnd);
  data.uID = record.uID;
  data.uFlags = record.uFlags;
  data.uCallbackMessage = record.uCallbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.hIcon);
  std::memcpy(data.szTip, record.szTip.data(), sizeof(data.szTip));
  data.dwState = record.dwState;
  data.dwStateMask = record.dwStateMask;
  std::memcpy(data.szInfo, record.szInfo.data(), sizeof(data.szInfo));
  data.uTimeout = record.uTimeout;
  std::memcpy(data.szInfoTitle, record.szInfoTitle.data(), sizeof(data.szInfoTitle));
  data.dwInfoFlags = record.dwInfoFlags;
  return data;
}

}  // namespace

bool Win32TrayShell::Notify(std::uint32_t message, const NotifyRecord& record) noexcept {
  NOTIFYICONDATAW data = ToNotifyIconData(record);
  return ::Shell_NotifyIconW(message, &data) != FALSE;
}

}  // namespace wethrix::win32
