#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wethrix {

using Bytes = std::vector<std::uint8_t>;

// Files by UTF-8 path. Failures of Write and Replace throw AppError with the system's message.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True when the file's attributes (date and time) can be read.
  [[nodiscard]] virtual bool Exists(std::string_view path) const = 0;
  // True when a plain file is there that is neither hidden nor system.
  [[nodiscard]] virtual bool ExistsVisible(std::string_view path) const = 0;
  [[nodiscard]] virtual std::optional<Bytes> Read(std::string_view path) const = 0;
  // True when the file holds exactly `bytes`. A file of another size is told without reading it.
  [[nodiscard]] virtual bool Holds(std::string_view path, const Bytes& bytes) const = 0;
  // Replaces the whole file.
  virtual void Write(std::string_view path, const Bytes& bytes) = 0;
  // Never fails: a missing or locked file is left alone.
  virtual void Remove(std::string_view path) noexcept = 0;
  // True when a new file can be created in `folder`.
  [[nodiscard]] virtual bool CanWriteIn(std::string_view folder) const = 0;
  virtual void CreateFolders(std::string_view folder) = 0;
};

}  // namespace wethrix
