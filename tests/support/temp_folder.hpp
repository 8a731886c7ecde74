#pragma once
// A fresh folder under the system's temporary folder for one test, removed with its contents.
#include <filesystem>
#include <random>
#include <string>

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
  TempFolder(TempFolder&&) = delete;
  TempFolder& operator=(TempFolder&&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

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
