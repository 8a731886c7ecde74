#pragma once
// In-memory stand-ins for the shared services, for tests. Each records what it was asked.
#include <chrono>
#include <climits>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/clock.hpp"
#include "platform/dialogs.hpp"
#include "platform/environment.hpp"
#include "platform/event_pump.hpp"
#include "platform/file_system.hpp"
#include "platform/settings_store.hpp"

namespace wethrix::fakes {

// Time moves only through Advance.
class FakeClock final : public Clock {
 public:
  [[nodiscard]] std::chrono::steady_clock::time_point Now() const override { return now_; }
  void Advance(std::chrono::milliseconds duration) { now_ += duration; }

 private:
  std::chrono::steady_clock::time_point now_{};
};

// Done when its test says so.
class FakeWaitable final : public Waitable {
 public:
  explicit FakeWaitable(std::function<bool()> done) : done_(std::move(done)) {}
  [[nodiscard]] std::uintptr_t NativeHandle() const override { return 0; }
  [[nodiscard]] bool Done() const override { return done_(); }

 private:
  std::function<bool()> done_;
};

// Runs queued actions as "pending window events"; each pass also runs `on_pass` once.
class FakeEventPump final : public EventPump {
 public:
  // Runs the queued actions one by one, leaving the rest queued once `until` is done.
  void Pass(const Waitable* until) override;
  // Without a clock returns at once; with one, moves it on a millisecond at a time until the
  // thing is done, an action is queued or the limit has passed.
  Wake WaitFor(const Waitable* thing, std::chrono::milliseconds limit) override;
  void Post(std::function<void()> action) { queue_.push_back(std::move(action)); }
  std::function<void()> on_pass;
  FakeClock* clock = nullptr;
  [[nodiscard]] int Passes() const { return passes_; }
  [[nodiscard]] int Waits() const { return waits_; }

 private:
  std::deque<std::function<void()>> queue_;
  int passes_ = 0;
  int waits_ = 0;
};

struct ShownBox {
  std::string text;
  std::string title;
  BoxIcon icon;
};

class FakeDialogs final : public Dialogs {
 public:
  [[nodiscard]] std::string InputBox(std::string_view prompt, std::string_view title,
                                     std::string_view default_text) override;
  std::vector<ShownBox> boxes;
  std::function<void()> while_open;     // runs once, while the next message box is open
  std::vector<ShownBox> input_prompts;  // prompt, title; icon unused
  std::vector<std::string> input_defaults;
  std::deque<std::string> input_answers;  // answered in order; none left means Cancel
  bool fail_boxes = false;                // showing a message box fails

 private:
  void ShowMessageBox(std::string_view text, std::string_view title, BoxIcon icon) override;
};

class FakeSettingsStore final : public SettingsStore {
 public:
  [[nodiscard]] std::string Read(std::string_view app, std::string_view section, std::string_view key,
                                 std::string_view fallback) const override;
  void Write(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value) override;
  // Convenience for the program's own application and section.
  [[nodiscard]] std::string Get(const std::string& key) const;
  void Set(const std::string& key, const std::string& value);
  [[nodiscard]] bool Has(const std::string& key) const;
  std::vector<std::pair<std::string, std::string>> writes;  // key, value in order
  bool refuse_writes = false;

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

class FakeFileSystem final : public FileSystem {
 public:
  [[nodiscard]] bool Exists(std::string_view path) const override;
  [[nodiscard]] bool ExistsVisible(std::string_view path) const override;
  [[nodiscard]] Bytes Read(std::string_view path) const override;
  [[nodiscard]] std::unique_ptr<HeldFile> Hold(std::string_view path) override;
  void Write(std::string_view path, const Bytes& bytes) override;
  void Remove(std::string_view path) noexcept override;
  [[nodiscard]] bool CanWriteIn(std::string_view folder) const override;
  void CreateFolders(std::string_view folder) override;
  // While a HeldFile of the path is open.
  [[nodiscard]] bool IsHeld(std::string_view path) const;

  static constexpr int kInUseForGood = INT_MAX;
  std::map<std::string, Bytes, std::less<>> files;
  // Paths another program holds: each operation on one is refused as in use, this many times.
  mutable std::map<std::string, int, std::less<>> in_use;
  std::vector<std::string> hidden;             // paths with the hidden attribute
  std::vector<std::string> read_only_folders;  // folders where nothing can be created
  std::vector<std::string> missing_folders;    // folders that are not there until created
  bool refuse_folders = false;                 // creating a folder fails
  std::vector<std::string> created_folders;
  mutable int refusals = 0;  // operations refused as in use so far

 private:
  class Held;
  void RefuseWhileInUse(std::string_view path) const;
  std::map<std::string, int, std::less<>> held_;
};

class FakeEnvironment final : public Environment {
 public:
  [[nodiscard]] std::optional<std::string> Variable(std::string_view name) const override;
  [[nodiscard]] std::string ProgramPath() const override { return program_folder + "\\Wethrix.exe"; }
  [[nodiscard]] std::string ProgramFolder() const override { return program_folder; }
  [[nodiscard]] std::string SystemTempFolder() const override { return system_temp; }
  [[nodiscard]] std::string LocalAppDataFolder() const override { return local_app_data; }
  [[nodiscard]] Bytes Resource(std::string_view type, int id) const override;
  [[nodiscard]] std::string DecimalSeparator() const override { return decimal_separator; }

  std::map<std::string, std::string, std::less<>> variables{{"TEMP", R"(C:\Temp)"}};
  std::string program_folder = R"(C:\Apps\Wethrix)";
  std::string system_temp = R"(C:\Windows\Temp)";
  std::string local_app_data = R"(C:\Users\user\AppData\Local)";
  std::string decimal_separator = ".";
  Bytes converter{'M', 'Z', 1, 2, 3};  // resource CUSTOM 101
};

}  // namespace wethrix::fakes
