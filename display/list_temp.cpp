// The refresh: one reading turned into the window's texts, the tray icon and a balloon.
#include "app/application_title.hpp"
#include "app/error_trap.hpp"
#include "app/form1.hpp"
#include "display/converter.hpp"
#include "display/shell32.hpp"
#include "display/temperature_icon.hpp"
#include "display/temperature_text.hpp"

namespace wethrix {
namespace {

constexpr float kIconUnits = 16.0F;
constexpr int kHiddenWindow = 0;

// Clears the flag however the refresh ends.
class ClearOnExit {
 public:
  explicit ClearOnExit(bool& flag) : flag_(flag) {}
  ClearOnExit(const ClearOnExit&) = delete;
  ClearOnExit(ClearOnExit&&) = delete;
  ClearOnExit& operator=(const ClearOnExit&) = delete;
  ClearOnExit& operator=(ClearOnExit&&) = delete;
  ~ClearOnExit() { flag_ = false; }

 private:
  bool& flag_;
};

}  // namespace

void Form1::ListTemp(bool silent) {
  if (refreshing_) {
    rerun_silent_ = rerun_ ? (rerun_silent_ && silent) : silent;
    rerun_ = true;
    return;
  }
  refreshing_ = true;
  const ClearOnExit running(refreshing_);
  bool run_silent = silent;
  for (;;) {
    RefreshOnce(run_silent);
    if (!rerun_) break;
    rerun_ = false;
    run_silent = rerun_silent_;
  }
  view_.PublishFinishedRefreshes(++finished_refreshes_);
}

std::string Form1::ImageFolder() {
  if (image_folder_.empty()) {
    const std::string program_folder = services_.environment.ProgramFolder();
    if (services_.files.CanWriteIn(program_folder)) {
      image_folder_ = program_folder;
    } else {
      image_folder_ = services_.environment.LocalAppDataFolder() + "\\Kestrivon\\Wethrix";
      services_.files.CreateFolders(image_folder_);
    }
  }
  return image_folder_;
}

void Form1::RefreshOnce(bool silent) {
  ErrorTrap trap{services_.dialogs, "in Wethrix2021/08/31.Form1.ListTemp "};
  RefreshTexts texts;
  std::string folder;
  trap.Step(100, [&] { getWeather(silent); });
  trap.Step(102, [&] {
    texts = BuildRefreshTexts(cur_temp_, reason_, SelectedUnit(), city_name_, view_.PushButton5Caption());
    view_.SetLabel2(texts.label2);
  });
  trap.Step(104, [&] {
    view_.SetText2(texts.temperature);
    Text2_Change();
  });
  trap.Step(106, [&] { tray_.SetTrayTip(texts.tooltip); });
  trap.Step(108, [&] { DrawIcon(texts.icon); });
  trap.Step(110, [&] { tray_.SetTrayIcon(nullptr); });
  trap.Step(112, [&] {
    folder = ImageFolder();
    view_.Picture(1).SaveBitmap(folder + "\\CurTemp.bmp");
  });
  trap.Step(114, [&] {
    if (!Shell32::FileExists(services_.files, ConverterFile())) {
      EnsureConverter(services_.files, ConverterBytes(services_.environment), ConverterFile());
    }
    const Shell32::ProcessServices processes{services_.launcher, services_.pump, services_.clock};
    (void)Shell32::RunAndWait(processes, ConverterCommandLine(ConverterFile(), folder + "\\CurTemp.bmp"),
                              kHiddenWindow);
  });
  trap.Step(116, [&] { tray_.SetTrayIcon(services_.pictures.Load(folder + "\\CurTemp.ico")); });
  trap.Step(118, [&] {
    view_.Picture(4).Cls();
    view_.Picture(4).SetScaleModePixels();
    CenterSampleX();
    CenterSampleY();
    PrintSample();
  });
  trap.Step(120, [&] { tray_.ShowBalloon(texts.balloon, kProductName); });
}

void Form1::DrawIcon(const std::string& icon_text) {
  PictureBox& surface = view_.Picture(1);
  const PictureBox& sample = view_.Picture(4);
  surface.SetForeColor(sample.ForeColor());
  surface.SetBackColor(sample.BackColor());
  surface.SetFontName("Arial");
  surface.SetFontSize(kIconFontPoints);
  surface.SetScaleModePixels();
  surface.SetScaleHeight(kIconUnits);
  surface.SetScaleWidth(kIconUnits);
  ShrinkFontToFit(surface, LeadingNumber(icon_text));
  surface.SetCurrentX(0);
  surface.SetCurrentY(kIconUnits / 2 - surface.TextHeight(icon_text) / 2);
  surface.Print(icon_text);
}

}  // namespace wethrix
