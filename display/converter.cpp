#include "display/converter.hpp"

#include "display/shell32.hpp"

namespace wethrix {

std::string ConverterPath(const Environment& environment) {
  std::string folder = environment.Variable("TEMP").value_or("");
  if (folder.empty()) folder = environment.SystemTempFolder();
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder + "\\nconvert.exe";
}

Bytes ConverterBytes(const Environment& environment) {
  return environment.Resource(kConverterResourceType, kConverterResourceId);
}

void EnsureConverter(FileSystem& files, const Bytes& converter, std::string_view path) {
  if (files.Read(path) == converter) return;
  files.Write(path, converter);
}

void ExtractConverter(FileSystem& files, EventPump& events, const Bytes& converter, std::string_view path) {
  events.DoEvents();
  EnsureConverter(files, converter, path);
}

void DeleteConverter(FileSystem& files, std::string_view path) noexcept {
  Shell32::DeleteFileQuietly(files, path);
}

std::string ConverterCommandLine(std::string_view converter_path, std::string_view bitmap_path) {
  std::string line;
  line.reserve(converter_path.size() + bitmap_path.size() + 16);
  line.append("\"").append(converter_path).append("\" -out ico \"").append(bitmap_path).append("\"");
  return line;
}

}  // namespace wethrix
