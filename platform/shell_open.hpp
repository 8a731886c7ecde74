#pragma once
#include <string_view>

namespace wethrix {

// Hands a document or address to the shell's default action; the outcome is not reported.
class ShellOpen {
 public:
  virtual ~ShellOpen() = default;
  virtual void Open(std::string_view file, std::string_view directory, int show_command) = 0;
};

}  // namespace wethrix
