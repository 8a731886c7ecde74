#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/errors.hpp"
#include "tools/nconvert/system.hpp"

namespace wethrix::nconvert {
namespace {

struct CloseFile {
  void operator()(FILE* file) const noexcept {
    static_cast<void>(std::fclose(file));  // nothing is left to write: this only releases it
  }
};
using unique_file = std::unique_ptr<FILE, CloseFile>;

AppError SystemError(int number) {
  return {number, std::strerror(errno)};
}

}  // namespace

Bytes ReadWholeFile(const std::string& path, std::uintmax_t limit) {
  const unique_file file(std::fopen(path.c_str(), "rb"));
  if (!file) throw SystemError(error_number::kFileNotFound);
  Bytes bytes;
  std::array<std::uint8_t, 4096> chunk{};
  std::size_t read = 0;
  while ((read = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(read));
    if (bytes.size() > limit) {
      throw AppError(error_number::kInvalidPicture, "the file is too large for an icon");
    }
  }
  if (std::ferror(file.get()) != 0) throw AppError(error_number::kFileNotFound, "the file cannot be read");
  return bytes;
}

void ReplaceFileContents(const std::string& path, const Bytes& bytes) {
  std::string temporary = path + ".XXXXXX";
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) throw SystemError(error_number::kPermissionDenied);
  bool written = false;
  if (unique_file file(::fdopen(descriptor, "wb")); file) {
    written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    written = std::fclose(file.release()) == 0 && written;
  } else {
    ::close(descriptor);
  }
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    const AppError error = SystemError(error_number::kPermissionDenied);
    static_cast<void>(std::remove(temporary.c_str()));  // a leftover temporary is all it can leave
    throw AppError(error);
  }
}

}  // namespace wethrix::nconvert
