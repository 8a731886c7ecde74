#pragma once
#include <string>
#include <string_view>

namespace wethrix {

enum class BoxIcon { kNone, kWarning };

// Modal message and input boxes. A box without a title of its own shows the application title.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // One OK button; returns when the user closes the box.
  void MessageBox(std::string_view text, std::string_view title, BoxIcon icon);
  // Whether a message box is open: a modal box lets timers run, so code may run beneath it.
  [[nodiscard]] bool MessageBoxOpen() const { return open_message_boxes_ > 0; }
  // Returns the text typed, or the empty text when the user cancels.
  [[nodiscard]] virtual std::string InputBox(std::string_view prompt, std::string_view title,
                                             std::string_view default_text) = 0;

 protected:
  virtual void ShowMessageBox(std::string_view text, std::string_view title, BoxIcon icon) = 0;

 private:
  int open_message_boxes_ = 0;
};

}  // namespace wethrix
