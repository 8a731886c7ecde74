#pragma once
// The API key dialog Form3 as its logic sees it. Setters made by code raise no events; the
// window raises the events below for what the user does.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/form_window.hpp"

namespace wethrix {

// Where the mouse moved, for the pointer rules.
enum class KeyDialogControl {
  kForm,
  kLabel2,
  kFrame1,
  kFrame2,
  kFrame3,
  kText1,
  kPushButton1,
  kPushButton2,
  kPushButton6
};

class KeyDialogEvents {
 public:
  virtual ~KeyDialogEvents() = default;
  virtual void PushButton1_Click() = 0;
  virtual void PushButton2_Click() = 0;
  virtual void PushButton6_Click() = 0;
  virtual void Text1_Change() = 0;
  virtual void Text1_GotFocus() = 0;
  // The close box. The window stays until the handler unloads it.
  virtual void Form_Unload() = 0;
  virtual void MouseMove(KeyDialogControl control) = 0;
};

class KeyDialogView : public virtual FormWindow {
 public:
  // Creates the window hidden, every control at its design value; a loaded view is left alone.
  virtual void Load() = 0;
  // Destroys the window; the next Load starts afresh.
  virtual void Unload() = 0;
  [[nodiscard]] virtual bool Loaded() const = 0;

  [[nodiscard]] virtual std::string Text1() const = 0;
  virtual void SetText1(std::string_view text) = 0;
  // Start and length in UTF-16 units, as the edit control counts.
  virtual void SetText1Selection(std::size_t start, std::size_t length) = 0;
};

}  // namespace wethrix
