#include "app/form1.hpp"

#include "app/application_title.hpp"
#include "app/error_trap.hpp"
#include "display/converter.hpp"
#include "display/shell32.hpp"
#include "options/appearance.hpp"

namespace wethrix {
namespace {
constexpr std::chrono::milliseconds kRefreshPeriod{60000};
}

Form1::Form1(MainView& view, cSysTray& tray, Form1Services services)
    : view_(view),
      tray_(tray),
      services_(std::move(services)),
      patient_files_(services_.files, services_.pump, services_.clock),
      settings_(services_.store, services_.environment),
      converter_runs_(services_.launcher) {
  view_.Timer1().OnTick([this] { Timer1_Timer(); });
  view_.RetryTimer().OnTick([this] { RetryTimer_Timer(); });
  tray_.OnMouseUp([this](TrayButton button, std::int32_t id) { cSysTray1_MouseUp(button, id); });
}

std::string Form1::ConverterFile() const {
  return ConverterPath(services_.environment);
}

std::string Form1::HandCursorFile() const {
  return services_.environment.ProgramFolder() + "\\HAND-M.CUR";
}

void Form1::Form_Load() {
  ErrorTrap trap{services_.dialogs, "in Wethrix2021/08/31.Form1.Form_Load "};
  trap.Step(100, [&] { in_timer_ = true; });
  trap.Step(
      102, [&] { ApplySkin(view_, services_.skin, services_.files, services_.environment.ProgramFolder()); });
  if (trap.If(106, [&] { return Shell32::FileExists(services_.files, HandCursorFile()); })) {
    trap.Step(108, [&] { view_.SetCustomPointerFile(HandCursorFile()); });
  }
  trap.Step(128, [&] {
    view_.SetCaption(kProductName);
    view_.SetApplicationIcon();
    application_title_ = ApplicationTitle(kProductName);
  });
  trap.Step(130, [&] { tray_.SetTrayTip(std::string(kProductName)); });
  trap.Step(132, [&] { tray_.SetInTray(true); });
  trap.Step(134, [&] { view_.SetCheck3(settings_.OnOff(setting::kWindowsStartup)); });
  trap.Step(136, [&] { view_.SetCheck8(settings_.OnOff(setting::kMinimized)); });
  if (trap.If(138, [&] { return view_.Check8(); })) {
    trap.Step(140, [&] { view_.SetState(WindowState::kMinimized); });
  }
  trap.Step(142, [&] { view_.SetLabel1(settings_.Text(setting::kText1, setting::kText1Default)); });
  trap.Step(144, [&] {
    view_.SetText2(settings_.Text(setting::kText2, setting::kText2Default));
    Text2_Change();
  });
  trap.Step(146, [&] { view_.SetOption4(settings_.UnitFlag(setting::kOption4, setting::kOption4Default)); });
  trap.Step(148, [&] { view_.SetOption5(settings_.UnitFlag(setting::kOption5, setting::kOption5Default)); });
  trap.Step(150, [&] {
    view_.Picture(2).SetBackColor(settings_.ColorValue(setting::kFontColor, setting::kFontColorDefault));
  });
  trap.Step(152, [&] {
    view_.Picture(3).SetBackColor(
        settings_.ColorValue(setting::kBackgroundColor, setting::kBackgroundColorDefault));
  });
  PictureBox& sample = view_.Picture(4);
  trap.Step(154, [&] { sample.SetForeColor(view_.Picture(2).BackColor()); });
  trap.Step(156, [&] { sample.SetBackColor(view_.Picture(3).BackColor()); });
  trap.Step(158, [&] { sample.SetScaleModePixels(); });
  trap.Step(160, [&] { CenterSampleX(); });
  trap.Step(162, [&] { CenterSampleY(); });
  trap.Step(164, [&] { PrintSample(); });
  trap.Step(166, [&] { view_.Timer1().SetInterval(kRefreshPeriod); });
  trap.Step(168, [&] { view_.Timer1().SetEnabled(true); });
  trap.Step(170, [&] { converter_ = ConverterBytes(services_.environment); });
  trap.Step(172, [&] { ExtractConverter(patient_files_, services_.pump, converter_, ConverterFile()); });
}

void Form1::Form_Activate() {
  ErrorTrap trap{services_.dialogs, "in Wethrix2021/08/31.Form1.Form_Activate "};
  if (trap.If(100, [&] { return in_timer_; })) {
    trap.Step(102, [&] { CenterSampleX(); });
    trap.Step(104, [&] { CenterSampleY(); });
    trap.Step(106, [&] { PrintSample(); });
    trap.Step(108, [&] { ListTemp(true); });
  }
  trap.Step(110, [&] { in_timer_ = false; });
}

void Form1::CenterSampleX() {
  PictureBox& sample = view_.Picture(4);
  sample.SetCurrentX(sample.ScaleWidth() / 2 - sample.TextWidth(view_.Text2()) / 2);
}

void Form1::CenterSampleY() {
  PictureBox& sample = view_.Picture(4);
  sample.SetCurrentY(sample.ScaleHeight() / 2 - sample.TextHeight(view_.Text2()) / 2);
}

void Form1::PrintSample() {
  view_.Picture(4).Print(view_.Text2());
}

// A converter still running keeps its file in use; closing waits this long at most for it to go.
constexpr std::chrono::milliseconds kConverterEndingWait{1000};

void Form1::Form_QueryUnload() {
  closing_ = true;
  ErrorTrap trap{services_.dialogs, "in Wethrix2021/08/31.Form1.Form_QueryUnload "};
  trap.Step(100, [&] {
    converter_runs_.EndRunning(services_.pump, services_.clock, kConverterEndingWait);
    DeleteConverter(services_.files, ConverterFile());
  });
  trap.Step(102, [&] {
    view_.Timer1().SetEnabled(false);
    view_.RetryTimer().SetEnabled(false);
  });
  trap.Step(104, [&] { tray_.SetInTray(false); });
  trap.Step(106, [&] { services_.pump.DoEvents(); });
  trap.Step(108, [&] { services_.pump.DoEvents(); });
}

// At once, even from inside a wait of a refresh: nothing that waits may outlive the window, and a
// transfer blocked in the system must not hold the process.
void Form1::Form_Unload() {
  services_.end_program();
}

}  // namespace wethrix
