#include "platform/dialogs.hpp"

namespace wethrix {

void Dialogs::MessageBox(std::string_view text, std::string_view title, BoxIcon icon) {
  ++open_message_boxes_;
  try {
    ShowMessageBox(text, title, icon);
  } catch (...) {
    --open_message_boxes_;
    throw;
  }
  --open_message_boxes_;
}

}  // namespace wethrix
