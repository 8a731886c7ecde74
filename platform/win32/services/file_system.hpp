#pragma once
#include "platform/file_system.hpp"

namespace wethrix::win32 {

// Files by UTF-8 path, reaching Win32 as UTF-16. Write never leaves a half-written file: it
// writes a temporary file beside the target and then moves it over the target.
class Win32FileSystem final : public FileSystem {
 public:
  [[nodiscard]] bool Exists(std::string_view path) const override;
  [[nodiscard]] bool ExistsVisible(std::string_view path) const override;
  [[nodiscard]] Bytes Read(std::string_view path) const override;
  [[nodiscard]] std::unique_ptr<HeldFile> Hold(std::string_view path) override;
  void Write(std::string_view path, const Bytes& bytes) override;
  void Remove(std::string_view path) noexcept override;
  [[nodiscard]] bool CanWriteIn(std::string_view folder) const override;
  void CreateFolders(std::string_view folder) override;
};

}  // namespace wethrix::win32
