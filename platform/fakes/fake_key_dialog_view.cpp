#include "platform/fakes/fake_key_dialog_view.hpp"

namespace wethrix::fakes {

void FakeKeyDialogView::Load() {
  if (loaded) return;
  const int previous_loads = loads;
  FakeAccessibility described = std::move(accessibility);
  *this = FakeKeyDialogView{};
  accessibility = std::move(described);
  loaded = true;
  text1 = "Text1";
  loads = previous_loads + 1;
}

void FakeKeyDialogView::Unload() {
  loaded = false;
  visible = false;
}

}  // namespace wethrix::fakes
