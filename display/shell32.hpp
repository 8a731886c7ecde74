#pragma once
// File helpers and launch-and-wait, used by start-up, the refresh and the key dialog.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/clock.hpp"
#include "platform/event_pump.hpp"
#include "platform/file_system.hpp"
#include "platform/process_launcher.hpp"

namespace wethrix::Shell32 {

inline constexpr int kDefaultWindowStyle = 6;  // minimised without focus
// A failed launch returns this plus the error number (53: file not found).
inline constexpr std::int32_t kLaunchFailed = -2147221504;
// A process that outlived the time limit was ended: HRESULT_FROM_WIN32(ERROR_TIMEOUT), which no
// launch failure can produce.
inline constexpr std::int32_t kTimedOut = -2147023436;
inline constexpr std::chrono::milliseconds kPollInterval{100};
inline constexpr std::chrono::milliseconds kTimeLimit{10000};

struct ProcessServices {
  ProcessLauncher& launcher;
  EventPump& events;
  Clock& clock;
};

// True when the file's date and time can be read.
[[nodiscard]] bool FileExists(const FileSystem& files, std::string_view path);
// Lets pending events run once, then writes `bytes` unless the file exists.
void WriteFileIfAbsent(FileSystem& files, EventPump& events, const Bytes& bytes, std::string_view path);
// Deletes the file; a missing or locked file is silently left alone.
void DeleteFileQuietly(FileSystem& files, std::string_view path) noexcept;

// A missing style, or one outside 0..6, becomes 6.
[[nodiscard]] int WindowStyleOrDefault(std::optional<int> window_style);

// Starts the command line and reads its exit code, letting pending events run between reads,
// until it ends. Between two reads it waits at most 100 ms, and wakes the moment the process
// ends. Returns the exit code; kLaunchFailed + the error number when it could not start;
// kTimedOut after ending a process that ran longer than `time_limit` (its going is awaited
// briefly, events running). The program's file, when held, is let go once the start has been
// made. Every handle is closed on return. Failures while polling throw AppError to the caller.
[[nodiscard]] std::int32_t RunAndWait(const ProcessServices& services, std::string_view command_line,
                                      std::optional<int> window_style = std::nullopt,
                                      std::chrono::milliseconds time_limit = kTimeLimit,
                                      std::unique_ptr<HeldFile> program = nullptr);

}  // namespace wethrix::Shell32
