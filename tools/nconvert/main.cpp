// nconvert -out ico "<folder>\<name>.bmp" writes "<folder>\<name>.ico".
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/nconvert/convert.hpp"
#include "tools/nconvert/system.hpp"

namespace {

using wethrix::nconvert::ExitCode;

int Run(const std::vector<std::string>& arguments) {
  std::string errors;
  ExitCode code = ExitCode::kBadBitmap;
  try {
    code = wethrix::nconvert::RunConverter(arguments, errors);
  } catch (const std::exception& error) {
    errors = std::string("nconvert: ") + error.what() + "\n";
  }
  static_cast<void>(std::fputs(errors.c_str(), stderr));
  return static_cast<int>(code);
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so paths outside the ANSI code page arrive intact.
int wmain(int argc, wchar_t** argv) {
  const auto arguments = wethrix::nconvert::Utf8Arguments(argc, argv);
  if (!arguments) {
    std::fputs("nconvert: the command line is not valid text\n", stderr);
    return static_cast<int>(ExitCode::kBadCommandLine);
  }
  return Run(*arguments);
}
#else
int main(int argc, char** argv) {
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
