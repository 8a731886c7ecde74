// The option handlers of the main window: every change is stored at once and refreshes.
#include "app/error_trap.hpp"
#include "app/form1.hpp"
#include "options/run_at_logon.hpp"

namespace wethrix {
namespace {
constexpr std::string_view kLocationPrompt =
    "Please enter your location: \r\n\r\n(For example: Londonderry, NH or San Diego CA or Paris France";
constexpr std::string_view kStartupRefused = "Wethrix could not be set to start with Windows.";
}  // namespace

void Form1::PushButton4_Click() {
  ErrorTrap trap{services_.dialogs, "in Wethrix2021/08/31.Form1.PushButton4_Click "};
  std::string answer;
  trap.Step(
      100, [&] { answer = services_.dialogs.InputBox(kLocationPrompt, application_title_, view_.Label1()); });
  if (trap.If(102, [&] { return answer.empty(); })) return;
  trap.Step(104, [&] { view_.SetLabel1(answer); });
  trap.Step(106, [&] { settings_.SetText(setting::kText1, view_.Label1()); });
  trap.Step(108, [&] { ListTemp(false); });
}

void Form1::PushButton5_Click() {
  ErrorTrap trap{services_.dialogs, "in Wethrix2021/08/31.Form1.PushButton5_Click "};
  trap.Step(100, [&] { services_.show_key_dialog(); });
  trap.Step(102, [&] { view_.Hide(); });
}

void Form1::PushButton7_Click() {
  ChangeColor(2, setting::kFontColor, true, "in Wethrix2021/08/31.Form1.PushButton7_Click ");
}

void Form1::PushButton8_Click() {
  ChangeColor(3, setting::kBackgroundColor, false, "in Wethrix2021/08/31.Form1.PushButton8_Click ");
}

void Form1::ChangeColor(int swatch, std::string_view key, bool foreground, std::string_view tag) {
  ErrorTrap trap{services_.dialogs, tag};
  PictureBox& box = view_.Picture(swatch);
  PictureBox& sample = view_.Picture(4);
  Color color = 0;
  trap.Step(102, [&] { color = box.BackColor(); });
  trap.Step(104, [&] { color = services_.color_picker.Choose(color); });
  trap.Step(106, [&] { box.SetBackColor(color); });
  trap.Step(108, [&] { settings_.SetColorValue(key, box.BackColor()); });
  trap.Step(110, [&] {
    if (foreground) {
      sample.SetForeColor(box.BackColor());
    } else {
      sample.SetBackColor(box.BackColor());
    }
  });
  trap.Step(112, [&] { sample.SetScaleModePixels(); });
  trap.Step(114, [&] { CenterSampleX(); });
  trap.Step(116, [&] { CenterSampleY(); });
  trap.Step(118, [&] { PrintSample(); });
  trap.Step(120, [&] { ListTemp(false); });
}

void Form1::StoreUnits() {
  settings_.SetUnitFlag(setting::kOption4, view_.Option4());
  settings_.SetUnitFlag(setting::kOption5, view_.Option5());
}

void Form1::Option4_Click() {
  StoreUnits();
  ListTemp(false);
}

void Form1::Option5_Click() {
  StoreUnits();
  ListTemp(false);
}

void Form1::Check3_Click() {
  if (in_timer_) return;
  if (view_.Check3()) {
    view_.SetCheck8Visible(true);
    settings_.SetOnOff(setting::kWindowsStartup, true);
    if (modStartUp::AddToStartup(services_.registry, services_.environment)) return;
    services_.dialogs.MessageBox(kStartupRefused, application_title_, BoxIcon::kWarning);
    view_.SetCheck3(false);  // and on as if the user had cleared it
  }
  if (view_.Check8()) {
    view_.SetCheck8(false);
    Check8_Click();
  }
  view_.SetCheck8Visible(false);
  settings_.SetOnOff(setting::kWindowsStartup, false);
  modStartUp::RemoveFromStartup(services_.registry, services_.environment);
}

void Form1::Check8_Click() { settings_.SetOnOff(setting::kMinimized, view_.Check8()); }

void Form1::Text2_Change() { settings_.SetText(setting::kText2, view_.Text2()); }

}  // namespace wethrix
