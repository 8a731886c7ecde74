#include "platform/win32/services/environment.hpp"

#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <algorithm>
#include <array>

#include "platform/win32/services/check.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {
namespace {

// For the Win32 calls that fill a buffer and return the length written, or the size they need
// (or, for GetModuleFileNameW, the whole buffer) when it is too small.
template <typename Fill>
std::wstring GrowingText(Fill fill) {
  std::wstring text(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(std::max<std::size_t>(length, text.size() * 2));
  }
}

bool IsDriveRoot(const std::string& folder) {
  return folder.size() == 3 && folder[1] == ':';
}

// "C:\Temp\" -> "C:\Temp", but a drive root keeps its backslash.
std::string WithoutTrailingBackslash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '\\' && !IsDriveRoot(folder)) folder.pop_back();
  return folder;
}

}  // namespace

std::optional<std::string> Win32Environment::Variable(std::string_view name) const {
  const std::wstring wide_name = Widen(name);
  ::SetLastError(ERROR_SUCCESS);
  const std::wstring value = GrowingText([&](wchar_t* buffer, DWORD size) {
    return ::GetEnvironmentVariableW(wide_name.c_str(), buffer, size);
  });
  if (value.empty() && ::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
  return Narrow(value);
}

std::string Win32Environment::ProgramPath() const {
  const std::wstring path =
      GrowingText([](wchar_t* buffer, DWORD size) { return ::GetModuleFileNameW(nullptr, buffer, size); });
  if (path.empty()) ThrowLastError();
  return Narrow(path);
}

std::string Win32Environment::ProgramFolder() const {
  const std::string path = ProgramPath();
  return WithoutTrailingBackslash(path.substr(0, path.find_last_of('\\') + 1));
}

std::string Win32Environment::SystemTempFolder() const {
  const std::wstring folder =
      GrowingText([](wchar_t* buffer, DWORD size) { return ::GetTempPathW(size, buffer); });
  if (folder.empty()) ThrowLastError();
  return WithoutTrailingBackslash(Narrow(folder));
}

// Asked of the shell by its fixed-size form: the form that allocates wants COM's allocator to free
// its answer, which made the program load COM's library at every start for this one call.
std::string Win32Environment::LocalAppDataFolder() const {
  std::array<wchar_t, MAX_PATH> folder{};
  const HRESULT result =
      ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder.data());
  if (FAILED(result)) ThrowWin32Error(static_cast<DWORD>(result));
  return WithoutTrailingBackslash(Narrow(folder.data()));
}

Bytes Win32Environment::Resource(std::string_view type, int id) const {
  const HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), Widen(type).c_str());
  if (found == nullptr) ThrowLastError();
  const HGLOBAL loaded = ::LoadResource(nullptr, found);
  if (loaded == nullptr) ThrowLastError();
  const auto* data = static_cast<const std::uint8_t*>(::LockResource(loaded));
  return {data, data + ::SizeofResource(nullptr, found)};
}

std::string Win32Environment::DecimalSeparator() const {
  wchar_t separator[8]{};  // the system allows at most three characters
  const int length =
      ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, std::size(separator));
  if (length == 0) ThrowLastError();
  return Narrow(std::wstring_view(separator, static_cast<std::size_t>(length - 1)));
}

}  // namespace wethrix::win32
