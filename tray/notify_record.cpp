#include "tray/notify_record.hpp"

#include <algorithm>
#include <span>
#include <string>

#include "platform/text.hpp"

namespace wethrix {
namespace {

// Leaves room for the NUL that the zero-filled field already holds.
void CopyText(std::span<char16_t> field, std::string_view utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  const std::u16string_view cut = CutUtf16(wide, field.size() - 1);
  std::copy(cut.begin(), cut.end(), field.begin());
}

NotifyRecord RecordFor(std::uintptr_t window, std::uint32_t flags) {
  NotifyRecord record;
  record.hWnd = window;
  record.uFlags = flags;
  return record;
}

}  // namespace

NotifyRecord AddRecord(std::uintptr_t window, std::string_view tip, std::uintptr_t icon) {
  NotifyRecord record = RecordFor(window, kNifMessage);
  record.uCallbackMessage = kTrayCallbackMessage;
  if (icon != 0) {
    record.uFlags |= kNifIcon;
    record.hIcon = icon;
  }
  if (!tip.empty()) {
    record.uFlags |= kNifTip;
    CopyText(record.szTip, tip);
  }
  return record;
}

NotifyRecord ChangeIconRecord(std::uintptr_t window, std::uintptr_t icon) {
  NotifyRecord record = RecordFor(window, kNifIcon);
  record.hIcon = icon;
  return record;
}

NotifyRecord ChangeTipRecord(std::uintptr_t window, std::string_view tip) {
  NotifyRecord record = RecordFor(window, kNifTip);
  CopyText(record.szTip, tip);
  return record;
}

NotifyRecord BalloonRecord(std::uintptr_t window, std::string_view text, std::string_view title,
                           std::uint32_t timeout_ms) {
  NotifyRecord record = RecordFor(window, kNifInfo);
  CopyText(record.szInfo, text);
  CopyText(record.szInfoTitle, title);
  record.uTimeout = timeout_ms;
  return record;
}

NotifyRecord RemoveRecord(std::uintptr_t window) {
  return RecordFor(window, 0);
}

}  // namespace wethrix
