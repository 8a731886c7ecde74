#include "platform/win32/services/file_system.hpp"

#include <windows.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/check.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {
namespace {

constexpr DWORD kChunk = DWORD{1} << 24U;

constexpr DWORD kCompareChunk = DWORD{1} << 16U;

unique_file_handle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                            DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  return unique_file_handle(::CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr));
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// `path` in the form that reaches past MAX_PATH on every Windows, whatever its long-path setting:
// made whole as the system would read it, then marked "\\?\", which every call here takes and
// which leaves the path unread (so the making whole comes first).
std::wstring SystemPath(std::string_view path) {
  std::wstring wide = Widen(path);
  std::wstring full(::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
  const DWORD length =
      ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return wide;
  full.resize(length);
  if (full.starts_with(LR"(\\?\)") || full.starts_with(LR"(\\.\)")) return full;
  if (full.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + full.substr(2);
  return LR"(\\?\)" + full;
}

// Whether access denied on `path` for `access` lasts, asked of the file itself. A file whose
// deletion is pending opens for nothing until its last handle closes, and one that another
// program holds without sharing its deletion refuses a replace yet opens for the access with every
// share: both pass in a moment. A folder in the way, the read-only attribute, an ACL that denies
// the access, and a denial with no file to ask (a folder where nothing may be created) last.
bool DeniedForGood(const std::wstring& path, DWORD access) {
  if (!OpenFile(path, 0, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS)) {
    return ::GetLastError() != ERROR_ACCESS_DENIED;
  }
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return true;
  }
  return !OpenFile(path, access, kShareAll, OPEN_EXISTING) && ::GetLastError() == ERROR_ACCESS_DENIED;
}

// What a failure of `access` on `path` means to a caller: another program that holds the file for
// now (a scanner, the indexer, a sync client), a file that is not there, or anything else.
[[noreturn]] void ThrowFileError(DWORD error, const std::wstring& path, DWORD access) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      throw AppError(error_number::kFileInUse, SystemMessage(error));
    case ERROR_ACCESS_DENIED:
      if (DeniedForGood(path, access)) break;
      throw AppError(error_number::kFileInUse, SystemMessage(error));
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      throw AppError(error_number::kFileNotFound, SystemMessage(error));
    default:
      break;
  }
  ThrowWin32Error(error);
}

[[noreturn]] void ThrowLastFileError(const std::wstring& path, DWORD access) {
  ThrowFileError(::GetLastError(), path, access);
}

unique_file_handle OpenExisting(const std::wstring& path, DWORD share) {
  unique_file_handle file = OpenFile(path, GENERIC_READ, share, OPEN_EXISTING);
  if (!file) ThrowLastFileError(path, GENERIC_READ);
  return file;
}

std::uint64_t SizeOf(HANDLE file) {
  LARGE_INTEGER size{};
  ThrowIfFalse(::GetFileSizeEx(file, &size));
  return static_cast<std::uint64_t>(size.QuadPart);
}

// Reads exactly `bytes.size()` bytes into `bytes`.
bool ReadExactly(HANDLE file, std::span<std::uint8_t> bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD read = 0;
    if (!::ReadFile(file, bytes.data() + done, chunk, &read, nullptr) || read == 0) return false;
    done += read;
  }
  return true;
}

// Unique within this process, whose file operations all run on one thread.
std::wstring Beside(const std::wstring& path, const wchar_t* extension) {
  return path + L"." + std::to_wstring(::GetCurrentProcessId()) + extension;
}

void WriteNewFile(const std::wstring& path, const Bytes& bytes) {
  const unique_file_handle file = OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) ThrowLastFileError(path, GENERIC_WRITE);
  for (std::size_t done = 0; done < bytes.size();) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD written = 0;
    ThrowIfFalse(::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr));
    done += written;
  }
}

// Others may read the file meanwhile, as a process started from it does, but not change it.
class Win32HeldFile final : public HeldFile {
 public:
  explicit Win32HeldFile(const std::wstring& path) : file_(OpenExisting(path, FILE_SHARE_READ)) {}

  [[nodiscard]] bool Holds(const Bytes& bytes) const override {
    if (SizeOf(file_.get()) != bytes.size()) return false;
    ThrowIfFalse(::SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN));
    std::vector<std::uint8_t> chunk(std::min<std::size_t>(bytes.size(), kCompareChunk));
    for (std::size_t done = 0; done < bytes.size();) {
      const std::span<std::uint8_t> part(chunk.data(), std::min(chunk.size(), bytes.size() - done));
      if (!ReadExactly(file_.get(), part) ||
          !std::equal(part.begin(), part.end(), bytes.begin() + static_cast<std::ptrdiff_t>(done))) {
        return false;
      }
      done += part.size();
    }
    return true;
  }

 private:
  unique_file_handle file_;
};

// Each missing folder from the top down; a path that names no drive or share fails.
void MakeFolder(const std::wstring& folder) {
  if (::CreateDirectoryW(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS) return;
  const DWORD error = ::GetLastError();
  const std::size_t parent_end = folder.find_last_of(L"\\/");
  if (error != ERROR_PATH_NOT_FOUND || parent_end == std::wstring::npos || parent_end == 0) {
    ThrowFileError(error, folder, GENERIC_WRITE);
  }
  MakeFolder(folder.substr(0, parent_end));
  if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
    ThrowLastFileError(folder, GENERIC_WRITE);
  }
}

}  // namespace

bool Win32FileSystem::Exists(std::string_view path) const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return ::GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

bool Win32FileSystem::ExistsVisible(std::string_view path) const {
  const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

Bytes Win32FileSystem::Read(std::string_view path) const {
  const std::wstring wide = SystemPath(path);
  const unique_file_handle file = OpenExisting(wide, FILE_SHARE_READ | FILE_SHARE_DELETE);
  Bytes bytes(static_cast<std::size_t>(SizeOf(file.get())));
  if (!ReadExactly(file.get(), bytes)) ThrowLastFileError(wide, GENERIC_READ);
  return bytes;
}

std::unique_ptr<HeldFile> Win32FileSystem::Hold(std::string_view path) {
  return std::make_unique<Win32HeldFile>(SystemPath(path));
}

void Win32FileSystem::Write(std::string_view path, const Bytes& bytes) {
  const std::wstring target = SystemPath(path);
  const std::wstring temporary = Beside(target, L".tmp");
  try {
    WriteNewFile(temporary, bytes);
    if (!::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      ThrowLastFileError(target, DELETE);
    }
  } catch (const AppError&) {
    ::DeleteFileW(temporary.c_str());
    throw;
  }
}

void Win32FileSystem::Remove(std::string_view path) noexcept {
  try {
    ::DeleteFileW(SystemPath(path).c_str());
  } catch (...) {  // a path that cannot even be converted names no file to delete
  }
}

bool Win32FileSystem::CanWriteIn(std::string_view folder) const {
  std::wstring probe = SystemPath(folder);
  if (!probe.empty() && probe.back() != L'\\') probe += L'\\';
  probe = Beside(probe + L"~wethrix", L".probe");
  // Deleted by the system as soon as the handle closes.
  return static_cast<bool>(
      OpenFile(probe, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE));
}

void Win32FileSystem::CreateFolders(std::string_view folder) {
  std::wstring wide = SystemPath(folder);
  while (wide.size() > 1 && (wide.back() == L'\\' || wide.back() == L'/')) wide.pop_back();
  MakeFolder(wide);
}

}  // namespace wethrix::win32
