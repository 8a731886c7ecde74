#pragma once
// Other programs open the files we write for a moment: a scanner, the search indexer, a sync
// client. An operation that meets one is tried again after a pause that grows, window events
// running meanwhile, and only a refusal that outlasts kFilePatience counts as a failure.
#include <chrono>
#include <memory>
#include <string_view>

#include "platform/clock.hpp"
#include "platform/event_pump.hpp"
#include "platform/file_system.hpp"

namespace wethrix {

inline constexpr std::chrono::milliseconds kFilePatience{2000};

class PatientFiles {
 public:
  PatientFiles(FileSystem& files, EventPump& events, const Clock& clock)
      : files_(files), events_(events), clock_(clock) {}

  [[nodiscard]] Bytes Read(std::string_view path);
  [[nodiscard]] std::unique_ptr<HeldFile> Hold(std::string_view path);
  void Write(std::string_view path, const Bytes& bytes);

 private:
  template <typename Operation>
  auto Patiently(Operation operation);

  FileSystem& files_;
  EventPump& events_;
  const Clock& clock_;
};

}  // namespace wethrix
