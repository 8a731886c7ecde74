#pragma once
// A fresh folder under the system's temporary folder for one test, removed with its contents.
#include <filesystem>
#include <random>
#include <string>

#ifdef _WIN32
#include "platform/win32/handles/unique_handle.hpp"
#endif

namespace wethrix::test_support {

#ifdef _WIN32
namespace detail {

using unique_find_handle = win32::unique_handle<HANDLE, &::FindClose, &win32::InvalidHandleValue>;

// `folder` in the long form ("\\?\C:\..."), which alone reaches paths past 260 characters.
inline void RemoveLongTree(const std::wstring& folder) {
  const std::wstring inside = folder + L"\\";
  WIN32_FIND_DATAW found{};
  const unique_find_handle search(::FindFirstFileW((inside + L"*").c_str(), &found));
  if (search) {
    for (bool more = true; more; more = ::FindNextFileW(search.get(), &found) != FALSE) {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring entry = inside + name;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveLongTree(entry);
      } else {
        ::SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(entry.c_str());
      }
    }
  }
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace detail
#endif

// Removes a folder and whatever it holds, paths past 260 characters too; quietly.
inline void RemoveTree(const std::filesystem::path& folder) {
#ifdef _WIN32
  detail::RemoveLongTree(LR"(\\?\)" + std::filesystem::absolute(folder).native());
#else
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
#endif
}

class TempFolder {
 public:
  explicit TempFolder(std::u8string_view stem = u8"wethrix-test") {
    const std::string digits = std::to_string(std::random_device()());
    path_ = std::filesystem::temp_directory_path() /
            std::filesystem::path(std::u8string(stem) + u8"-" + std::u8string(digits.begin(), digits.end()));
    std::filesystem::create_directories(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  TempFolder(TempFolder&&) = delete;
  TempFolder& operator=(TempFolder&&) = delete;
  ~TempFolder() { RemoveTree(path_); }

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
  // UTF-8 path of `name` inside the folder, or of the folder itself.
  [[nodiscard]] std::string Utf8(std::u8string_view name = {}) const {
    const std::u8string text = (name.empty() ? path_ : path_ / std::filesystem::path(name)).u8string();
    return {text.begin(), text.end()};
  }

 private:
  std::filesystem::path path_;
};

}  // namespace wethrix::test_support
