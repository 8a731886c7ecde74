#pragma once
// The icon converter the program carries: where it lives, how it gets there and how it is run.
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "display/patient_files.hpp"
#include "platform/clock.hpp"
#include "platform/environment.hpp"
#include "platform/event_pump.hpp"
#include "platform/file_system.hpp"
#include "platform/process_launcher.hpp"

namespace wethrix {

inline constexpr std::string_view kConverterResourceType = "CUSTOM";
inline constexpr int kConverterResourceId = 101;

// TEMP followed by "\nconvert.exe"; the system's temporary folder stands in for a TEMP that is
// unset or empty, which would otherwise put the converter at the root of the current drive.
[[nodiscard]] std::string ConverterPath(const Environment& environment);

// The converter's bytes, read from the program's own resources.
[[nodiscard]] Bytes ConverterBytes(const Environment& environment);

// The converter at `path`, written first unless the file there already holds exactly these
// bytes, and held from that check on: what was checked is what runs. A file that differs may
// have been put there by another program since the last run, so every run checks; an identical
// one is left alone, so one that is running is no failure.
[[nodiscard]] std::unique_ptr<HeldFile> HoldConverter(PatientFiles& files, const Bytes& converter,
                                                      std::string_view path);

// Start-up: lets pending events run once, then puts the converter in place.
void ExtractConverter(PatientFiles& files, EventPump& events, const Bytes& converter, std::string_view path);

// Shutdown: deletes the converter; a missing or locked file is silently left alone.
void DeleteConverter(FileSystem& files, std::string_view path) noexcept;

// Starts processes through another launcher and keeps hold of those still running, so that
// closing can end a converter that would otherwise keep its file in use.
class EndableLauncher final : public ProcessLauncher {
 public:
  explicit EndableLauncher(ProcessLauncher& launcher) : launcher_(launcher) {}
  EndableLauncher(const EndableLauncher&) = delete;
  EndableLauncher& operator=(const EndableLauncher&) = delete;
  EndableLauncher(EndableLauncher&&) = delete;
  EndableLauncher& operator=(EndableLauncher&&) = delete;
  ~EndableLauncher() override = default;

  [[nodiscard]] LaunchResult Start(std::string_view command_line, int window_style) override;
  // Ends every process started here that still runs and lets events run until they have gone
  // (they keep their files in use until then), `limit` at most.
  void EndRunning(EventPump& events, const Clock& clock, std::chrono::milliseconds limit);

 private:
  class Tracked;
  ProcessLauncher& launcher_;
  std::vector<RunningProcess*> running_;
};

// "<converter>" -out ico "<bitmap>"
[[nodiscard]] std::string ConverterCommandLine(std::string_view converter_path, std::string_view bitmap_path);

}  // namespace wethrix
