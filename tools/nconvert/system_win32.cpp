#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>

#include "platform/errors.hpp"
#include "platform/patience.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "tools/nconvert/system.hpp"

namespace wethrix::nconvert {
namespace {

using win32::unique_kernel_handle;

// CreateFileW reports failure as INVALID_HANDLE_VALUE, not as null.
unique_kernel_handle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
  const HANDLE file =
      ::CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return unique_kernel_handle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// UTF-8 of `wide`; nullopt when it is not valid UTF-16.
std::optional<std::string> Narrow(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int length = static_cast<int>(wide.size());
  const int size =
      ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (size == 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length, text.data(), size, nullptr,
                        nullptr);
  return text;
}

AppError SystemError(int number) {
  std::wstring message(512, L'\0');
  message.resize(::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  ::GetLastError(), 0, message.data(), 512, nullptr));
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
  const std::string text = Narrow(message).value_or("");
  return {number, text.empty() ? "the system refused" : text};
}

std::wstring Widen(const std::string& utf8) {
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

// A scanner or a sync client holding the file for a moment refuses it so; a folder in its place
// refuses access too, but for good.
bool InUse(DWORD error, const std::wstring& path) {
  if (error == ERROR_ACCESS_DENIED) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Tries `attempt` on `path` again while the file is in use, for kFilePatience at most; the last
// error tells why it failed.
template <typename Attempt>
[[nodiscard]] bool Patiently(const std::wstring& path, Attempt attempt) {
  const ULONGLONG give_up_at = ::GetTickCount64() + static_cast<ULONGLONG>(kFilePatience.count());
  for (std::chrono::milliseconds pause = kFirstFilePause;; pause = NextFilePause(pause)) {
    if (attempt()) return true;
    const DWORD error = ::GetLastError();
    if (!InUse(error, path) || ::GetTickCount64() >= give_up_at) {
      ::SetLastError(error);
      return false;
    }
    ::Sleep(static_cast<DWORD>(pause.count()));
  }
}

// Decimal digits without the formatting library, which would double the converter's size.
std::wstring Decimal(DWORD number) {
  std::wstring digits;
  for (; digits.empty() || number != 0; number /= 10) {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + number % 10));
  }
  return digits;
}

void WriteAll(const std::wstring& path, const Bytes& bytes) {
  const unique_kernel_handle file = OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  DWORD written = 0;
  if (!file ||
      ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) == 0 ||
      written != bytes.size()) {
    throw SystemError(error_number::kPermissionDenied);
  }
}

}  // namespace

Bytes ReadWholeFile(const std::string& path, std::uintmax_t limit) {
  const std::wstring wide = Widen(path);
  unique_kernel_handle file;
  const bool opened = Patiently(wide, [&] {
    file = OpenFile(wide, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    return static_cast<bool>(file);
  });
  LARGE_INTEGER size{};
  if (!opened || ::GetFileSizeEx(file.get(), &size) == 0) throw SystemError(error_number::kFileNotFound);
  if (static_cast<std::uintmax_t>(size.QuadPart) > limit) {
    throw AppError(error_number::kInvalidPicture, "the file is too large for an icon");
  }
  Bytes bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) == 0 ||
      read != bytes.size()) {
    throw AppError(error_number::kFileNotFound, "the file cannot be read");
  }
  return bytes;
}

// The temporary file is named by the process, so no other converter holds it, and is made in the
// target's own folder, whatever the length of its path.
void ReplaceFileContents(const std::string& path, const Bytes& bytes) {
  const std::wstring target = Widen(path);
  const std::wstring temporary = target + L"." + Decimal(::GetCurrentProcessId()) + L".tmp";
  try {
    WriteAll(temporary, bytes);
    if (!Patiently(target, [&] {
          return ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
        })) {
      throw SystemError(error_number::kPermissionDenied);
    }
  } catch (const AppError&) {
    ::DeleteFileW(temporary.c_str());
    throw;
  }
}

std::optional<std::vector<std::string>> Utf8Arguments(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    auto text = Narrow(argv[i]);
    if (!text) return std::nullopt;
    arguments.push_back(std::move(*text));
  }
  return arguments;
}

}  // namespace wethrix::nconvert
