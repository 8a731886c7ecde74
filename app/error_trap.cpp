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

// A box already open stands for this failure too: beneath it the timer goes on, and a failure
// that comes back every minute would pile up a box a minute while the user is away.
void ErrorTrap::Report(int line, std::string_view description) {
  if (dialogs_.MessageBoxOpen()) return;
  dialogs_.MessageBox(ApplicationErrorText(description, tag_, line), kApplicationErrorTitle,
                      BoxIcon::kWarning);
}

}  // namespace wethrix
