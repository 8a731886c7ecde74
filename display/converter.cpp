#include "display/converter.hpp"

#include <algorithm>

#include "display/shell32.hpp"
#include "platform/errors.hpp"

namespace wethrix {

// A process of the launcher's that is listed among the running ones while it lives.
class EndableLauncher::Tracked final : public RunningProcess {
 public:
  Tracked(std::unique_ptr<RunningProcess> process, std::vector<RunningProcess*>& running)
      : process_(std::move(process)), running_(running) {
    running_.push_back(this);
  }
  Tracked(const Tracked&) = delete;
  Tracked& operator=(const Tracked&) = delete;
  Tracked(Tracked&&) = delete;
  Tracked& operator=(Tracked&&) = delete;
  ~Tracked() override { std::erase(running_, this); }

  [[nodiscard]] std::uint32_t ExitCode() const override { return process_->ExitCode(); }
  [[nodiscard]] const Waitable& Ended() const override { return process_->Ended(); }
  void Terminate() noexcept override { process_->Terminate(); }

 private:
  std::unique_ptr<RunningProcess> process_;
  std::vector<RunningProcess*>& running_;
};

LaunchResult EndableLauncher::Start(std::string_view command_line, int window_style) {
  LaunchResult launch = launcher_.Start(command_line, window_style);
  if (launch.process) launch.process = std::make_unique<Tracked>(std::move(launch.process), running_);
  return launch;
}

void EndableLauncher::EndRunning(EventPump& events, const Clock& clock, std::chrono::milliseconds limit) {
  const std::vector<RunningProcess*> ending = running_;  // a wait below may let one finish and go
  for (RunningProcess* process : ending) process->Terminate();
  const auto until = clock.Now() + limit;
  for (RunningProcess* process : ending) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - clock.Now());
    LetEventsRun(events, clock, &process->Ended(), std::max(left, std::chrono::milliseconds{0}));
  }
}

std::string ConverterPath(const Environment& environment) {
  std::string folder = environment.Variable("TEMP").value_or("");
  if (folder.empty()) folder = environment.SystemTempFolder();
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder + "\\nconvert.exe";
}

Bytes ConverterBytes(const Environment& environment) {
  return environment.Resource(kConverterResourceType, kConverterResourceId);
}

namespace {

// Null when there is no file to hold; whatever stands in the way, writing tells for good.
std::unique_ptr<HeldFile> HoldIfThere(PatientFiles& files, std::string_view path) {
  try {
    return files.Hold(path);
  } catch (const AppError&) {
    return nullptr;
  }
}

}  // namespace

std::unique_ptr<HeldFile> HoldConverter(PatientFiles& files, const Bytes& converter, std::string_view path) {
  if (std::unique_ptr<HeldFile> there = HoldIfThere(files, path); there && there->Holds(converter)) {
    return there;
  }
  files.Write(path, converter);
  std::unique_ptr<HeldFile> written = files.Hold(path);
  if (!written->Holds(converter)) {
    throw AppError(error_number::kFileInUse, "Another program changed the icon converter as it was written");
  }
  return written;
}

void ExtractConverter(PatientFiles& files, EventPump& events, const Bytes& converter, std::string_view path) {
  events.DoEvents();
  static_cast<void>(HoldConverter(files, converter, path));
}

void DeleteConverter(FileSystem& files, std::string_view path) noexcept {
  Shell32::DeleteFileQuietly(files, path);
}

std::string ConverterCommandLine(std::string_view converter_path, std::string_view bitmap_path) {
  std::string line;
  line.reserve(converter_path.size() + bitmap_path.size() + 16);
  line.append("\"").append(converter_path).append("\" -out ico \"").append(bitmap_path).append("\"");
  return line;
}

}  // namespace wethrix
