// nconvert -out ico "<folder>\<name>.bmp" writes "<folder>\<name>.ico".
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tools/nconvert/convert.hpp"

namespace {

int Run(const std::vector<std::string>& arguments) {
  try {
    return static_cast<int>(wethrix::nconvert::RunConverter(arguments, std::cerr));
  } catch (const std::exception& error) {
    std::cerr << "nconvert: " << error.what() << '\n';
    return static_cast<int>(wethrix::nconvert::ExitCode::kBadBitmap);
  }
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so paths outside the ANSI code page arrive intact.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  try {
    for (int i = 1; i < argc; ++i) {
      const std::u8string text = std::filesystem::path(argv[i]).u8string();
      arguments.emplace_back(text.begin(), text.end());
    }
  } catch (const std::exception&) {
    std::cerr << "nconvert: the command line is not valid text\n";
    return static_cast<int>(wethrix::nconvert::ExitCode::kBadCommandLine);
  }
  return Run(arguments);
}
#else
int main(int argc, char** argv) {
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
