#include "app/main_accessibility.hpp"

#include "platform/color.hpp"

namespace wethrix {

std::string ColorText(Color color, const SystemColors& system) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  const std::uint32_t drawn = ResolveColor(color, [&system](int index) { return system.Value(index); });
  std::string text = "#";
  for (const int shift : {0, 8, 16}) {  // 0x00BBGGRR, written red first
    const std::uint32_t part = (drawn >> shift) & 0xFFU;
    text.push_back(kDigits[part >> 4]);
    text.push_back(kDigits[part & 0xFU]);
  }
  return text;
}

void DescribeMainWindow(MainView& view, const SystemColors& system) {
  Accessibility& accessibility = view.Accessible();
  accessibility.SetName("PushButton7", "Change font color");
  accessibility.SetName("PushButton8", "Change background color");
  const auto describe_swatch = [&](int index, std::string_view name) {
    const std::string control = "Picture" + std::to_string(index);
    accessibility.SetName(control, name);
    accessibility.SetValue(
        control, [&view, &system, index] { return ColorText(view.Picture(index).BackColor(), system); });
  };
  describe_swatch(2, "Font color");
  describe_swatch(3, "Background color");
  accessibility.SetName("Picture4", "Sample");
  accessibility.SetValue("Picture4", [&view] { return view.Text2(); });
  accessibility.Withhold("Picture1");
  accessibility.Withhold("Text2");
}

}  // namespace wethrix
