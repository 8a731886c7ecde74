#pragma once
// A fresh folder under the system's temporary folder for one test, removed with its contents.
#include <filesystem>
#include <random>
#include <string>

#ifdef _WIN32
#include "platform/win32/unique_handle.hpp"
#endif

namespace wethrix::test_support {

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
  ~TempFolder() {
#ifdef _WIN32
    RemoveTree(LR"(\\?\)" + path_.native());
#else
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
#endif
  }

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
  // UTF-8 path of `name` inside the folder, or of the folder itself.
  [[nodiscard]] std::string Utf8(std::u8string_view name = {}) const {
    const std::u8string text = (name.empty() ? path_ : path_ / std::filesystem::path(name)).u8string();
    return {text.begin(), text.end()};
  }

 private:
#ifdef _WIN32
  using unique_find_handle = win32::unique_handle<HANDLE, &::FindClose, &win32::InvalidHandleValue>;

  // Whatever it holds goes, paths past 260 characters too, which only the system's own calls on the
  // long form of a path reach.
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const unique_find_handle search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (search) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring entry = folder + L"\\" + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
          RemoveTree(entry);
        } else {
          ::SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
          ::DeleteFileW(entry.c_str());
        }
      } while (::FindNextFileW(search.get(), &found));
    }
    ::RemoveDirectoryW(folder.c_str());
  }
#endif
  std::filesystem::path path_;
};

}  // namespace wethrix::test_support
