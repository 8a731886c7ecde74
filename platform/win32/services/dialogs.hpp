#pragma once
#include <windows.h>

#include <string>

#include "platform/dialogs.hpp"

namespace wethrix::win32 {

// Message boxes (message_box.cpp) and our own input box (input_box.cpp), owned by `owner`
// when it is set so they stay modal to the program.
class Win32Dialogs final : public Dialogs {
 public:
  explicit Win32Dialogs(std::string application_title) : title_(std::move(application_title)) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  [[nodiscard]] std::string InputBox(std::string_view prompt, std::string_view title,
                                     std::string_view default_text) override;

 private:
  void ShowMessageBox(std::string_view text, std::string_view title, BoxIcon icon) override;

  std::string title_;  // used when a box has no title of its own
  HWND owner_ = nullptr;
};

}  // namespace wethrix::win32
