#include "app/error_trap.hpp"

namespace wethrix {

std::string ApplicationErrorText(std::string_view description, std::string_view tag, int line) {
  std::string text(description);
  text += "\r\n";
  text += tag;
  text += "at line ";
  text += std::to_string(line);
  text += "\r\r";
  text += "Please email screenshot of this message to ";
  text += kSupportAddress;
  return text;
}

void ErrorTrap::Report(int line, std::string_view description) {
  dialogs_.MessageBox(ApplicationErrorText(description, tag_, line), kApplicationErrorTitle,
                      BoxIcon::kWarning);
}

}  // namespace wethrix
