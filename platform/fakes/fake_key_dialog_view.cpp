#include "platform/fakes/fake_key_dialog_view.hpp"

namespace wethrix::fakes {

void FakeKeyDialogView::Load() {
  if (loaded) return;
  const int previous_loads = loads;
  *this = FakeKeyDialogView{};
  loaded = true;
  text1 = "Text1";
  loads = previous_loads + 1;
}

void FakeKeyDialogView::Unload() {
  loaded = false;
  visible = false;
}

}  // namespace wethrix::fakes
