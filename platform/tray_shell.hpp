#pragma once
// The record the shell takes for the notification-area icon, in a form without Windows.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wethrix {

// Shell operations (NIM_*) and the flags (NIF_*) that say which fields a record carries.
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNifMessage = 0x01;
inline constexpr std::uint32_t kNifIcon = 0x02;
inline constexpr std::uint32_t kNifTip = 0x04;
inline constexpr std::uint32_t kNifInfo = 0x10;

// The message the shell sends to the control's window about its icon (WM_USER + 101).
inline constexpr std::uint32_t kTrayCallbackMessage = 0x465;
// The program's one icon; the callback message carries it in wParam.
inline constexpr std::uint32_t kTrayIconId = 0;

// The layout that ends before guidItem (NOTIFYICONDATAW_V2_SIZE): the shell then identifies the
// icon by window and id, and every version since Windows 2000 accepts it.
inline constexpr std::uint32_t kNotifyRecordSize = sizeof(void*) == 8 ? 952 : 936;

struct NotifyRecord {
  std::uint32_t cbSize = kNotifyRecordSize;
  std::uintptr_t hWnd = 0;
  std::uint32_t uID = kTrayIconId;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::uintptr_t hIcon = 0;
  std::array<char16_t, 128> szTip{};
  std::uint32_t dwState = 0;
  std::uint32_t dwStateMask = 0;
  std::array<char16_t, 256> szInfo{};
  std::uint32_t uTimeout = 0;
  std::array<char16_t, 64> szInfoTitle{};
  std::uint32_t dwInfoFlags = 0;
};

// The text of a field up to its NUL.
template <std::size_t N>
[[nodiscard]] std::u16string_view FieldText(const std::array<char16_t, N>& field) {
  const std::u16string_view all(field.data(), N);
  return all.substr(0, all.find(u'\0'));
}

// The shell's notification area: the one place where tray records are handed over.
class TrayShell {
 public:
  virtual ~TrayShell() = default;
  // `message` is kNimAdd, kNimModify or kNimDelete; true when the shell accepted the record.
  [[nodiscard]] virtual bool Notify(std::uint32_t message, const NotifyRecord& record) noexcept = 0;
};

}  // namespace wethrix
