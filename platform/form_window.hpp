#pragma once
// What the appearance pass needs of any window: its own colour and its controls by kind.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/picture_box.hpp"

namespace wethrix {

enum class ControlKind { kOptionButton, kCheckBox, kFrame, kLabel, kPictureBox, kTextBox, kPushButton };

enum class MousePointer { kDefault = 0, kHourglass = 11, kCustom = 99 };

class FormControl {
 public:
  virtual ~FormControl() = default;
  [[nodiscard]] virtual ControlKind Kind() const = 0;
  [[nodiscard]] virtual std::string Name() const = 0;
  [[nodiscard]] virtual Color BackColor() const = 0;
  virtual void SetBackColor(Color color) = 0;
};

// Views derive from it virtually, so that a Win32 form implements it once, in its designed-form base.
class FormWindow {
 public:
  virtual ~FormWindow() = default;
  [[nodiscard]] virtual std::uintptr_t Handle() const = 0;
  [[nodiscard]] virtual Color BackColor() const = 0;
  virtual void SetBackColor(Color color) = 0;
  // Every control in the window's own order, each element of a control array included.
  [[nodiscard]] virtual std::vector<FormControl*> Controls() = 0;

  virtual void SetCaption(std::string_view caption) = 0;
  virtual void SetApplicationIcon() = 0;
  [[nodiscard]] virtual MousePointer Pointer() const = 0;
  virtual void SetPointer(MousePointer pointer) = 0;
  // Image of the custom pointer (code 99); an empty path means the system hand.
  virtual void SetCustomPointerFile(std::string_view path) = 0;
  // What assistive technology is told of the controls beyond what they show.
  [[nodiscard]] virtual Accessibility& Accessible() = 0;

  virtual void Show() = 0;
  virtual void Hide() = 0;
  [[nodiscard]] virtual bool Visible() const = 0;
};

}  // namespace wethrix
