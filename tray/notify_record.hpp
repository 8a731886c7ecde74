#pragma once
// Builds the records the shell takes for the notification-area icon, without Windows, so every
// field can be checked natively. The Win32 side copies them field by field into NOTIFYICONDATAW.
#include <cstdint>
#include <string_view>

#include "platform/tray_shell.hpp"

namespace wethrix {

// One builder per operation; `icon` 0 means none. Texts are cut to their field, NUL included,
// without splitting a surrogate pair.
[[nodiscard]] NotifyRecord AddRecord(std::uintptr_t window, std::string_view tip, std::uintptr_t icon);
[[nodiscard]] NotifyRecord ChangeIconRecord(std::uintptr_t window, std::uintptr_t icon);
[[nodiscard]] NotifyRecord ChangeTipRecord(std::uintptr_t window, std::string_view tip);
// Empty text and title clear a balloon that is showing.
[[nodiscard]] NotifyRecord BalloonRecord(std::uintptr_t window, std::string_view text, std::string_view title,
                                         std::uint32_t timeout_ms);
[[nodiscard]] NotifyRecord RemoveRecord(std::uintptr_t window);

}  // namespace wethrix
