#pragma once
// The program's files, each operation waiting out another program's moment's hold on them
// (platform/patience.hpp) with window events running meanwhile.
#include <memory>
#include <string_view>

#include "platform/clock.hpp"
#include "platform/event_pump.hpp"
#include "platform/file_system.hpp"
#include "platform/patience.hpp"

namespace wethrix {

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
