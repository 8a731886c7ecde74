#pragma once
// Scripted colour picker and a shell that only records what it was handed.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/color_picker.hpp"
#include "platform/shell_open.hpp"

namespace wethrix::fakes {

class FakeColorPicker final : public ColorPicker {
 public:
  [[nodiscard]] std::uint32_t Choose(std::uint32_t initial) override;
  std::deque<std::uint32_t> answers;  // chosen in order; none left means Cancel
  std::vector<std::uint32_t> seeds;   // the initial colour of each call
};

struct ShellOpenCall {
  std::string file;
  std::string directory;
  int show_command;
};

class FakeShellOpen final : public ShellOpen {
 public:
  void Open(std::string_view file, std::string_view directory, int show_command) override;
  std::vector<ShellOpenCall> calls;
};

}  // namespace wethrix::fakes
