#include "platform/form_design.hpp"

#include <algorithm>
#include <stdexcept>

namespace wethrix {

TwipRect ClientRect(std::span<const ControlDesign> design, const ControlDesign& control) {
  if (control.frame.empty()) return control.rect;
  const auto frame = std::ranges::find(design, control.frame, &ControlDesign::name);
  if (frame == design.end()) throw std::logic_error("no frame named " + std::string(control.frame));
  const TwipRect origin = ClientRect(design, *frame);
  return {origin.left + control.rect.left, origin.top + control.rect.top, control.rect.width,
          control.rect.height};
}

std::string FullName(const ControlDesign& control) {
  std::string name(control.name);
  if (control.index == 0) return name;
  name.push_back('(');
  name.append(std::to_string(control.index));
  name.push_back(')');
  return name;
}

}  // namespace wethrix
