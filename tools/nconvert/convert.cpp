#include "tools/nconvert/convert.hpp"

#include <fstream>
#include <random>
#include <vector>

#include "platform/errors.hpp"
#include "tools/nconvert/bitmap_reader.hpp"
#include "tools/nconvert/icon_writer.hpp"

namespace wethrix::nconvert {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uintmax_t kMaxBitmapBytes = std::uintmax_t{64} << 20U;

fs::path PathFromUtf8(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return "\"" + std::string(text.begin(), text.end()) + "\"";
}

Bytes ReadWholeFile(const fs::path& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) throw AppError(error_number::kFileNotFound, error.message());
  if (size > kMaxBitmapBytes) {
    throw AppError(error_number::kInvalidPicture, "the file is too large for an icon");
  }
  std::ifstream in(path, std::ios::binary);
  Bytes bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) throw AppError(error_number::kFileNotFound, "the file cannot be read");
  return bytes;
}

// Unique per run, so two converters working on the same folder never share a temporary file.
fs::path TemporaryBeside(const fs::path& target) {
  std::random_device random;
  fs::path temporary = target;
  temporary += ".";
  temporary += std::to_string(random()) + std::to_string(random());
  temporary += ".tmp";
  return temporary;
}

void WriteNewFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw AppError(error_number::kPermissionDenied, "the file cannot be created");
}

void ReplaceFile(const fs::path& target, const Bytes& bytes) {
  const fs::path temporary = TemporaryBeside(target);
  std::error_code error;
  try {
    WriteNewFile(temporary, bytes);
  } catch (const AppError&) {
    fs::remove(temporary, error);
    throw;
  }
  fs::rename(temporary, target, error);
  if (error) {
    const std::string reason = error.message();
    fs::remove(temporary, error);
    throw AppError(error_number::kPermissionDenied, reason);
  }
}

ExitCode Fail(std::ostream& errors, ExitCode code, const std::string& message) {
  errors << "nconvert: " << message << '\n';
  return code;
}

}  // namespace

std::optional<Conversion> ParseCommandLine(std::span<const std::string> arguments) {
  if (arguments.size() != 3 || arguments[0] != "-out" || arguments[1] != "ico" || arguments[2].empty()) {
    return std::nullopt;
  }
  Conversion conversion{PathFromUtf8(arguments[2]), {}};
  conversion.icon = fs::path(conversion.bitmap).replace_extension(".ico");
  return conversion;
}

ExitCode RunConverter(std::span<const std::string> arguments, std::ostream& errors) {
  const auto conversion = ParseCommandLine(arguments);
  if (!conversion) return Fail(errors, ExitCode::kBadCommandLine, "usage: nconvert -out ico <bitmap file>");
  Bytes icon;
  try {
    icon = WriteIcon(ReadBitmap(ReadWholeFile(conversion->bitmap)));
  } catch (const AppError& error) {
    return Fail(errors, ExitCode::kBadBitmap,
                "cannot convert " + Utf8(conversion->bitmap) + ": " + error.what());
  }
  try {
    ReplaceFile(conversion->icon, icon);
  } catch (const AppError& error) {
    return Fail(errors, ExitCode::kCannotWrite,
                "cannot write " + Utf8(conversion->icon) + ": " + error.what());
  }
  return ExitCode::kConverted;
}

}  // namespace wethrix::nconvert
