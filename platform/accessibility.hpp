#pragma once
// What assistive technology (a screen reader) is told of a form's controls where a control does
// not say it itself: a name that tells two buttons with one caption apart, the colour a swatch
// shows. Controls are named as in their design ("Picture2", "Label3(1)").
#include <functional>
#include <string>
#include <string_view>

namespace wethrix {

class Accessibility {
 public:
  virtual ~Accessibility() = default;
  // Announced instead of the control's caption; the caption on screen stays as it is.
  virtual void SetName(std::string_view control, std::string_view name) = 0;
  // Asked again each time the value is read, so that it follows the control.
  virtual void SetValue(std::string_view control, std::function<std::string()> value) = 0;
  // Not offered to assistive technology at all: a control only the program itself uses.
  virtual void Withhold(std::string_view control) = 0;
};

}  // namespace wethrix
