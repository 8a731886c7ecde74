#include "platform/fakes/fake_services.hpp"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/errors.hpp"

namespace wethrix::fakes {
namespace {
constexpr std::string_view kApp = "Kestrivon";
constexpr std::string_view kSection = "Wethrix";
}  // namespace

// Actions queued during the pass wait for the next one, as messages posted meanwhile would.
void FakeEventPump::Pass(const Waitable* until) {
  ++passes_;
  if (on_pass) on_pass();
  auto pending = std::move(queue_);
  queue_.clear();
  while (!pending.empty() && (until == nullptr || !until->Done())) {
    auto action = std::move(pending.front());
    pending.pop_front();
    action();
  }
  queue_.insert(queue_.begin(), std::make_move_iterator(pending.begin()),
                std::make_move_iterator(pending.end()));
}

Wake FakeEventPump::WaitFor(const Waitable* thing, std::chrono::milliseconds limit) {
  ++waits_;
  if (clock == nullptr) return Wake::kTimeOut;
  const auto until = clock->Now() + limit;
  for (;;) {
    if (thing != nullptr && thing->Done()) return Wake::kDone;
    if (!queue_.empty()) return Wake::kMessage;
    if (clock->Now() >= until) return Wake::kTimeOut;
    clock->Advance(std::chrono::milliseconds{1});
  }
}

void FakeDialogs::ShowMessageBox(std::string_view text, std::string_view title, BoxIcon icon) {
  if (fail_boxes) throw AppError(error_number::kSystem, "Not enough memory");
  boxes.push_back({std::string(text), std::string(title), icon});
  if (const std::function<void()> beneath = std::exchange(while_open, nullptr)) beneath();
}

std::string FakeDialogs::InputBox(std::string_view prompt, std::string_view title,
                                  std::string_view default_text) {
  input_prompts.push_back({std::string(prompt), std::string(title), BoxIcon::kNone});
  input_defaults.emplace_back(default_text);
  if (input_answers.empty()) return {};
  std::string answer = std::move(input_answers.front());
  input_answers.pop_front();
  return answer;
}

std::string FakeSettingsStore::Read(std::string_view app, std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  const auto found = values_.find({std::string(app), std::string(section), std::string(key)});
  return found == values_.end() ? std::string(fallback) : found->second;
}

void FakeSettingsStore::Write(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view value) {
  if (refuse_writes) throw AppError(error_number::kPermissionDenied, "Permission denied");
  values_[{std::string(app), std::string(section), std::string(key)}] = std::string(value);
  writes.emplace_back(std::string(key), std::string(value));
}

std::string FakeSettingsStore::Get(const std::string& key) const {
  return Read(kApp, kSection, key, "");
}

void FakeSettingsStore::Set(const std::string& key, const std::string& value) {
  values_[{std::string(kApp), std::string(kSection), key}] = value;
}

bool FakeSettingsStore::Has(const std::string& key) const {
  return values_.contains({std::string(kApp), std::string(kSection), key});
}

// Open while it lives, and reads the file as it is when asked.
class FakeFileSystem::Held final : public HeldFile {
 public:
  Held(FakeFileSystem& files, std::string path) : files_(files), path_(std::move(path)) {
    ++files_.held_[path_];
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  Held(Held&&) = delete;
  Held& operator=(Held&&) = delete;
  ~Held() override {
    if (--files_.held_[path_] == 0) files_.held_.erase(path_);
  }
  [[nodiscard]] bool Holds(const Bytes& bytes) const override {
    const auto found = files_.files.find(path_);
    return found != files_.files.end() && found->second == bytes;
  }

 private:
  FakeFileSystem& files_;
  std::string path_;
};

void FakeFileSystem::RefuseWhileInUse(std::string_view path) const {
  const auto found = in_use.find(path);
  if (found == in_use.end()) return;
  if (found->second != kInUseForGood && --found->second == 0) in_use.erase(found);
  ++refusals;
  throw AppError(error_number::kFileInUse,
                 "The process cannot access the file because it is being used by another process");
}

bool FakeFileSystem::Exists(std::string_view path) const {
  return files.find(path) != files.end();
}

bool FakeFileSystem::ExistsVisible(std::string_view path) const {
  return Exists(path) && std::find(hidden.begin(), hidden.end(), path) == hidden.end();
}

Bytes FakeFileSystem::Read(std::string_view path) const {
  RefuseWhileInUse(path);
  const auto found = files.find(path);
  if (found == files.end()) throw AppError(error_number::kFileNotFound, "File not found");
  return found->second;
}

std::unique_ptr<HeldFile> FakeFileSystem::Hold(std::string_view path) {
  RefuseWhileInUse(path);
  if (!Exists(path)) throw AppError(error_number::kFileNotFound, "File not found");
  return std::make_unique<Held>(*this, std::string(path));
}

bool FakeFileSystem::IsHeld(std::string_view path) const {
  return held_.find(path) != held_.end();
}

void FakeFileSystem::Write(std::string_view path, const Bytes& bytes) {
  const std::string text(path);
  const std::string folder = text.substr(0, text.find_last_of('\\'));
  if (std::ranges::find(missing_folders, folder) != missing_folders.end()) {
    throw AppError(error_number::kPathNotFound, "Path not found");
  }
  if (!CanWriteIn(folder)) throw AppError(error_number::kPermissionDenied, "Permission denied");
  RefuseWhileInUse(path);
  if (IsHeld(path)) throw AppError(error_number::kFileInUse, "Access is denied");
  files[text] = bytes;
}

void FakeFileSystem::Remove(std::string_view path) noexcept {
  const auto found = files.find(path);
  if (found != files.end() && !IsHeld(path)) files.erase(found);
}

bool FakeFileSystem::CanWriteIn(std::string_view folder) const {
  return std::find(read_only_folders.begin(), read_only_folders.end(), folder) == read_only_folders.end();
}

void FakeFileSystem::CreateFolders(std::string_view folder) {
  if (refuse_folders) throw AppError(error_number::kPermissionDenied, "Permission denied");
  std::erase(missing_folders, folder);
  created_folders.emplace_back(folder);
}

std::optional<std::string> FakeEnvironment::Variable(std::string_view name) const {
  const auto found = variables.find(name);
  if (found == variables.end()) return std::nullopt;
  return found->second;
}

Bytes FakeEnvironment::Resource(std::string_view type, int id) const {
  if (type == "CUSTOM" && id == 101) return converter;
  throw AppError(error_number::kFileNotFound, "Resource not found");
}

}  // namespace wethrix::fakes
