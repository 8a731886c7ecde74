#include "options/key_dialog.hpp"

#include <string>

#include "app/error_trap.hpp"
#include "display/shell32.hpp"
#include "options/appearance.hpp"
#include "platform/text.hpp"

namespace wethrix {
namespace {

constexpr int kShowNormal = 5;  // SW_SHOW

bool IsPushButton(KeyDialogControl control) {
  return control == KeyDialogControl::kPushButton1 || control == KeyDialogControl::kPushButton2 ||
         control == KeyDialogControl::kPushButton6;
}

}  // namespace

Form3::Form3(KeyDialogView& view, Form3Services services)
    : view_(view), services_(std::move(services)), settings_(services_.store, services_.environment) {}

void Form3::Show() {
  if (!view_.Loaded()) {
    view_.Load();
    Form_Load();
  }
  view_.Show();
}

void Form3::Form_Load() {
  ErrorTrap trap{services_.dialogs, "in Wethrix2021/08/31.Form3.Form_Load "};
  trap.Step(100, [&] { ApplyFormColors(view_); });
  trap.Step(102, [&] { view_.SetApplicationIcon(); });
  trap.Step(104, [&] { view_.SetCaption(kKeyDialogCaption); });
  const std::string hand_cursor = services_.environment.ProgramFolder() + "\\HAND-M.CUR";
  if (trap.If(106, [&] { return Shell32::FileExists(services_.files, hand_cursor); })) {
    trap.Step(108, [&] { view_.SetCustomPointerFile(hand_cursor); });
  }
  trap.Step(112, [&] {
    view_.SetText1(settings_.Text(setting::kApiKey, setting::kApiKeyDefault));
    Text1_Change();
  });
}

void Form3::PushButton1_Click() {
  OpenAddress(kSignInAddress, "in Wethrix2021/08/31.Form3.PushButton1_Click ");
}

void Form3::PushButton2_Click() {
  OpenAddress(kApiKeyArticleAddress, "in Wethrix2021/08/31.Form3.PushButton2_Click ");
}

void Form3::OpenAddress(std::string_view address, std::string_view tag) {
  ErrorTrap trap{services_.dialogs, tag};
  std::string quoted;
  trap.Step(100, [&] { quoted = '"' + std::string(address) + '"'; });
  trap.Step(102, [&] { services_.shell.Open(quoted, "C:\\", kShowNormal); });
}

void Form3::PushButton6_Click() {
  ErrorTrap trap{services_.dialogs, "in Wethrix2021/08/31.Form3.PushButton6_Click "};
  trap.Step(100, [&] { services_.list_temp(true); });
  trap.Step(102, [&] { services_.show_main_window(); });
  trap.Step(104, [&] { view_.Hide(); });
}

void Form3::Text1_Change() {
  settings_.SetText(setting::kApiKey, view_.Text1());
}

void Form3::Text1_GotFocus() {
  view_.SetText1Selection(0, Utf8ToUtf16(view_.Text1()).size());
}

void Form3::Form_Unload() {
  view_.Unload();
  services_.show_main_window();
}

void Form3::MouseMove(KeyDialogControl control) {
  if (view_.Pointer() == MousePointer::kHourglass) return;
  view_.SetPointer(IsPushButton(control) ? MousePointer::kCustom : MousePointer::kDefault);
}

}  // namespace wethrix
