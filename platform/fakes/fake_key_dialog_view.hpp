#pragma once
// Form3 as an in-memory window: design values after Load, everything recorded.
#include <cstddef>
#include <string>
#include <utility>

#include "options/key_dialog_view.hpp"
#include "platform/fakes/fake_accessibility.hpp"

namespace wethrix::fakes {

class FakeKeyDialogView final : public KeyDialogView {
 public:
  [[nodiscard]] std::uintptr_t Handle() const override { return loaded ? 0x3333 : 0; }
  [[nodiscard]] Color BackColor() const override { return back_color; }
  void SetBackColor(Color color) override { back_color = color; }
  [[nodiscard]] std::vector<FormControl*> Controls() override { return {}; }
  void SetCaption(std::string_view text) override { caption = std::string(text); }
  void SetApplicationIcon() override { has_icon = true; }
  [[nodiscard]] MousePointer Pointer() const override { return pointer; }
  void SetPointer(MousePointer value) override { pointer = value; }
  void SetCustomPointerFile(std::string_view path) override { custom_pointer_file = std::string(path); }
  [[nodiscard]] Accessibility& Accessible() override { return accessibility; }
  void Show() override { visible = true; }
  void Hide() override { visible = false; }
  [[nodiscard]] bool Visible() const override { return visible; }

  void Load() override;
  void Unload() override;
  [[nodiscard]] bool Loaded() const override { return loaded; }
  [[nodiscard]] std::string Text1() const override { return text1; }
  void SetText1(std::string_view text) override { text1 = std::string(text); }
  void SetText1Selection(std::size_t start, std::size_t length) override { selection = {start, length}; }

  bool loaded = false;
  int loads = 0;
  Color back_color = 0x00FFFFFF;
  std::string caption;
  bool has_icon = false;
  MousePointer pointer = MousePointer::kDefault;
  std::string custom_pointer_file;
  bool visible = false;
  std::string text1;
  std::pair<std::size_t, std::size_t> selection{0, 0};
  FakeAccessibility accessibility;  // kept across loads, as the window's own description is
};

}  // namespace wethrix::fakes
