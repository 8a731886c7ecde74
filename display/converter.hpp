#pragma once
// The icon converter the program carries: where it lives, how it gets there and how it is run.
#include <string>
#include <string_view>

#include "platform/environment.hpp"
#include "platform/event_pump.hpp"
#include "platform/file_system.hpp"

namespace wethrix {

inline constexpr std::string_view kConverterResourceType = "CUSTOM";
inline constexpr int kConverterResourceId = 101;

// TEMP followed by "\nconvert.exe"; the system's temporary folder stands in for a TEMP that is
// unset or empty, which would otherwise put the converter at the root of the current drive.
[[nodiscard]] std::string ConverterPath(const Environment& environment);

// The converter's bytes, read from the program's own resources.
[[nodiscard]] Bytes ConverterBytes(const Environment& environment);

// Writes the converter unless the file at `path` already holds exactly these bytes. A file that
// differs may have been put there by another program, and it would be run on every refresh.
void EnsureConverter(FileSystem& files, const Bytes& converter, std::string_view path);

// Start-up: lets pending events run once, then ensures the converter.
void ExtractConverter(FileSystem& files, EventPump& events, const Bytes& converter, std::string_view path);

// Shutdown: deletes the converter; a missing or locked file is silently left alone.
void DeleteConverter(FileSystem& files, std::string_view path) noexcept;

// "<converter>" -out ico "<bitmap>"
[[nodiscard]] std::string ConverterCommandLine(std::string_view converter_path, std::string_view bitmap_path);

}  // namespace wethrix
