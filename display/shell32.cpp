#include "display/shell32.hpp"

namespace wethrix::Shell32 {

bool FileExists(const FileSystem& files, std::string_view path) {
  return files.Exists(path);
}

void WriteFileIfAbsent(FileSystem& files, EventPump& events, const Bytes& bytes, std::string_view path) {
  events.DoEvents();
  if (FileExists(files, path)) return;
  files.Write(path, bytes);
}

void DeleteFileQuietly(FileSystem& files, std::string_view path) noexcept {
  files.Remove(path);
}

int WindowStyleOrDefault(std::optional<int> window_style) {
  if (!window_style || *window_style < 0 || *window_style > 6) return kDefaultWindowStyle;
  return *window_style;
}

namespace {

// Ending a process only starts it going; this long at most is waited for the files it held.
constexpr std::chrono::milliseconds kEndingWait{2000};

}  // namespace

std::int32_t RunAndWait(const ProcessServices& services, std::string_view command_line,
                        std::optional<int> window_style, std::chrono::milliseconds time_limit,
                        std::unique_ptr<HeldFile> program) {
  const LaunchResult launch = services.launcher.Start(command_line, WindowStyleOrDefault(window_style));
  program.reset();  // the process holds its own file now; closing may want to delete it
  if (!launch.process) return kLaunchFailed + launch.error;
  const auto deadline = services.clock.Now() + time_limit;
  for (;;) {
    const std::uint32_t exit_code = launch.process->ExitCode();
    services.events.DoEventsUntil(launch.process->Ended());
    if (exit_code != kStillActive) return static_cast<std::int32_t>(exit_code);
    if (services.clock.Now() >= deadline) {
      launch.process->Terminate();
      LetEventsRun(services.events, services.clock, &launch.process->Ended(), kEndingWait);
      return kTimedOut;
    }
    services.events.WaitFor(&launch.process->Ended(), kPollInterval);
  }
}

}  // namespace wethrix::Shell32
