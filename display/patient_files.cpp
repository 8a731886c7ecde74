#include "display/patient_files.hpp"

#include <algorithm>

#include "platform/errors.hpp"

namespace wethrix {

template <typename Operation>
auto PatientFiles::Patiently(Operation operation) {
  const auto give_up_at = clock_.Now() + kFilePatience;
  for (std::chrono::milliseconds pause = kFirstFilePause;; pause = NextFilePause(pause)) {
    try {
      return operation();
    } catch (const AppError& error) {
      if (error.Number() != error_number::kFileInUse || clock_.Now() >= give_up_at) throw;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(give_up_at - clock_.Now());
    LetEventsRun(events_, clock_, nullptr, std::clamp(left, std::chrono::milliseconds{0}, pause));
  }
}

Bytes PatientFiles::Read(std::string_view path) {
  return Patiently([&] { return files_.Read(path); });
}

std::unique_ptr<HeldFile> PatientFiles::Hold(std::string_view path) {
  return Patiently([&] { return files_.Hold(path); });
}

void PatientFiles::Write(std::string_view path, const Bytes& bytes) {
  Patiently([&] { files_.Write(path, bytes); });
}

}  // namespace wethrix
