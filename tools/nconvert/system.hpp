#pragma once
// What the converter asks of its operating system, with UTF-8 paths. Kept to the C runtime and
// the system's own calls, so the converter carries no stream or file-system library.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wethrix::nconvert {

using Bytes = std::vector<std::uint8_t>;

// The whole file; AppError when it cannot be read or is larger than `limit` bytes.
[[nodiscard]] Bytes ReadWholeFile(const std::string& path, std::uintmax_t limit);

// Writes a temporary file of its own beside `path` and then puts it in place of `path` in one
// step, so readers see the old file or the new one, never a part. AppError on failure, with
// nothing left behind.
void ReplaceFileContents(const std::string& path, const Bytes& bytes);

#ifdef _WIN32
// The command line's wide arguments as UTF-8; nullopt when one is not valid UTF-16.
[[nodiscard]] std::optional<std::vector<std::string>> Utf8Arguments(int argc, wchar_t** argv);
#endif

}  // namespace wethrix::nconvert
