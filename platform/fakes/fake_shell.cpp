#include "platform/fakes/fake_shell.hpp"

namespace wethrix::fakes {

std::uint32_t FakeColorPicker::Choose(std::uint32_t initial) {
  seeds.push_back(initial);
  if (answers.empty()) return initial;
  const std::uint32_t chosen = answers.front();
  answers.pop_front();
  return chosen;
}

void FakeShellOpen::Open(std::string_view file, std::string_view directory, int show_command) {
  calls.push_back({std::string(file), std::string(directory), show_command});
}

}  // namespace wethrix::fakes
