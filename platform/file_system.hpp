#pragma once
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace wethrix {

using Bytes = std::vector<std::uint8_t>;

// A file kept open for reading that others may read too, but neither write, replace nor delete,
// until it is closed: what was checked through it is what stays there meanwhile.
class HeldFile {
 public:
  virtual ~HeldFile() = default;
  // True when the file holds exactly `bytes`. A file of another size is told without reading it.
  [[nodiscard]] virtual bool Holds(const Bytes& bytes) const = 0;
};

// Files by UTF-8 path. Failures throw AppError with the system's message: kFileNotFound for a
// file that is not there, kFileInUse while another program holds it (a sharing or lock violation,
// or a refusal that a moment later may be gone, as of a file whose deletion is pending); a
// read-only file or one whose permissions deny the access fails for good.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True when the file's attributes (date and time) can be read.
  [[nodiscard]] virtual bool Exists(std::string_view path) const = 0;
  // True when a plain file is there that is neither hidden nor system.
  [[nodiscard]] virtual bool ExistsVisible(std::string_view path) const = 0;
  // The whole file.
  [[nodiscard]] virtual Bytes Read(std::string_view path) const = 0;
  // Opens the file and holds it until the result is released.
  [[nodiscard]] virtual std::unique_ptr<HeldFile> Hold(std::string_view path) = 0;
  // Replaces the whole file.
  virtual void Write(std::string_view path, const Bytes& bytes) = 0;
  // Never fails: a missing or locked file is left alone.
  virtual void Remove(std::string_view path) noexcept = 0;
  // True when a new file can be created in `folder`.
  [[nodiscard]] virtual bool CanWriteIn(std::string_view folder) const = 0;
  virtual void CreateFolders(std::string_view folder) = 0;
};

}  // namespace wethrix
