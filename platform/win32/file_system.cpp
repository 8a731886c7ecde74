#include "platform/win32/file_system.hpp"

#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "platform/win32/check.hpp"
#include "platform/win32/unique_handle.hpp"
#include "platform/win32/wide.hpp"

namespace wethrix::win32 {
namespace {

constexpr DWORD kChunk = DWORD{1} << 24U;

constexpr DWORD kCompareChunk = DWORD{1} << 16U;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

unique_file_handle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                            DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  return unique_file_handle(::CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr));
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
  if (!file) ThrowLastError();
  for (std::size_t done = 0; done < bytes.size();) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD written = 0;
    ThrowIfFalse(::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr));
    done += written;
  }
}

}  // namespace

bool Win32FileSystem::Exists(std::string_view path) const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return ::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

bool Win32FileSystem::ExistsVisible(std::string_view path) const {
  const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

std::optional<Bytes> Win32FileSystem::Read(std::string_view path) const {
  const unique_file_handle file =
      OpenFile(Widen(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING);
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size)) return std::nullopt;
  Bytes bytes(static_cast<std::size_t>(size.QuadPart));
  if (!ReadExactly(file.get(), bytes)) return std::nullopt;
  return bytes;
}

bool Win32FileSystem::Holds(std::string_view path, const Bytes& bytes) const {
  // Shared every way: a file that another program runs or reads is still compared.
  const unique_file_handle file = OpenFile(Widen(path), GENERIC_READ, kShareAll, OPEN_EXISTING);
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) ||
      static_cast<std::uint64_t>(size.QuadPart) != bytes.size()) {
    return false;
  }
  std::vector<std::uint8_t> chunk(std::min<std::size_t>(bytes.size(), kCompareChunk));
  for (std::size_t done = 0; done < bytes.size();) {
    const std::span<std::uint8_t> part(chunk.data(), std::min(chunk.size(), bytes.size() - done));
    if (!ReadExactly(file.get(), part) ||
        !std::equal(part.begin(), part.end(), bytes.begin() + static_cast<std::ptrdiff_t>(done))) {
      return false;
    }
    done += part.size();
  }
  return true;
}

void Win32FileSystem::Write(std::string_view path, const Bytes& bytes) {
  const std::wstring target = Widen(path);
  const std::wstring temporary = Beside(target, L".tmp");
  try {
    WriteNewFile(temporary, bytes);
    ThrowIfFalse(::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING));
  } catch (const AppError&) {
    ::DeleteFileW(temporary.c_str());
    throw;
  }
}

void Win32FileSystem::Remove(std::string_view path) noexcept {
  try {
    ::DeleteFileW(Widen(path).c_str());
  } catch (...) {  // a path that cannot even be converted names no file to delete
  }
}

bool Win32FileSystem::CanWriteIn(std::string_view folder) const {
  std::wstring probe = Widen(folder);
  if (!probe.empty() && probe.back() != L'\\') probe += L'\\';
  probe = Beside(probe + L"~wethrix", L".probe");
  // Deleted by the system as soon as the handle closes.
  return static_cast<bool>(
      OpenFile(probe, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE));
}

void Win32FileSystem::CreateFolders(std::string_view folder) {
  const int result = ::SHCreateDirectoryExW(nullptr, Widen(folder).c_str(), nullptr);
  if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS && result != ERROR_FILE_EXISTS) {
    ThrowWin32Error(static_cast<DWORD>(result));
  }
}

}  // namespace wethrix::win32
