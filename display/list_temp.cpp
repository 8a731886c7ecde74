// The refresh: one reading turned into the window's texts, the tray icon and a balloon.
#include "app/application_title.hpp"
#include "app/error_trap.hpp"
#include "app/form1.hpp"
#include "display/converter.hpp"
#include "display/shell32.hpp"
#include "display/temperature_icon.hpp"
#include "display/temperature_text.hpp"
#include "image/icon_writer.hpp"
#include "platform/errors.hpp"

namespace wethrix {
namespace {

constexpr float kIconUnits = 16.0F;
constexpr int kHiddenWindow = 0;

// However a refresh ends, even by an error that escapes it, it leaves no refresh running and
// none owed: a run still owed would come as a stray refresh at the next trigger.
class EndOfRefresh {
 public:
  EndOfRefresh(bool& refreshing, bool& rerun) : refreshing_(refreshing), rerun_(rerun) {}
  EndOfRefresh(const EndOfRefresh&) = delete;
  EndOfRefresh(EndOfRefresh&&) = delete;
  EndOfRefresh& operator=(const EndOfRefresh&) = delete;
  EndOfRefresh& operator=(EndOfRefresh&&) = delete;
  ~EndOfRefresh() {
    refreshing_ = false;
    rerun_ = false;
  }

 private:
  bool& refreshing_;
  bool& rerun_;
};

}  // namespace

void Form1::ListTemp(bool silent) {
  if (closing_) return;
  if (refreshing_) {
    rerun_silent_ = rerun_ ? (rerun_silent_ && silent) : silent;
    rerun_ = true;
    withdrawn_ = withdrawn_ || !silent;
    return;
  }
  refreshing_ = true;
  const EndOfRefresh running(refreshing_, rerun_);
  bool run_silent = silent;
  for (;;) {
    RefreshOnce(run_silent);
    if (!rerun_ || closing_) break;
    rerun_ = false;
    run_silent = rerun_silent_;
  }
  ArmRetryTimer();
  view_.PublishFinishedRefreshes(++finished_refreshes_);
}

std::string Form1::ImageFolder() {
  std::string program_folder = services_.environment.ProgramFolder();
  if (!images_beside_program_) images_beside_program_ = services_.files.CanWriteIn(program_folder);
  if (*images_beside_program_) return program_folder;
  std::string folder = services_.environment.LocalAppDataFolder() + "\\Kestrivon\\Wethrix";
  services_.files.CreateFolders(folder);  // on every refresh: the folder may have been deleted
  return folder;
}

bool Form1::MakeIcon(bool silent, const std::string& folder) {
  std::unique_ptr<HeldFile> converter;
  try {
    if (converter_.empty()) converter_ = ConverterBytes(services_.environment);
    converter = HoldConverter(patient_files_, converter_, ConverterFile());
  } catch (const AppError&) {
    if (!silent) throw;
    return false;  // running whatever is there could run anything
  }
  const Shell32::ProcessServices processes{converter_runs_, services_.pump, services_.clock};
  (void)Shell32::RunAndWait(processes, ConverterCommandLine(ConverterFile(), folder + "\\CurTemp.bmp"),
                            kHiddenWindow, Shell32::kTimeLimit, std::move(converter));
  return true;
}

// What the converter wrote is taken only when it is this picture's icon: when the converter could
// not run, failed, or could not replace the file, an older icon would tell an older reading. Then
// the icon is made here, by the same image code, and written too, so that the file tells what the
// tray shows.
Bytes Form1::IconOfThisPicture(const Bytes& bitmap, const std::string& folder, bool converter_ran) {
  Bytes icon = imaging::IconFileOfBitmapFile(bitmap);
  if (folder.empty()) return icon;
  const std::string path = folder + "\\CurTemp.ico";
  if (converter_ran && FileHolds(path, icon)) return icon;
  try {
    patient_files_.Write(path, icon);
  } catch (const AppError&) {  // the tray tells this reading all the same
  }
  return icon;
}

bool Form1::FileHolds(const std::string& path, const Bytes& bytes) {
  try {
    return patient_files_.Read(path) == bytes;
  } catch (const AppError&) {
    return false;
  }
}

void Form1::RefreshOnce(bool silent) {
  ErrorTrap trap{services_.dialogs, "in Wethrix2021/08/31.Form1.ListTemp "};
  RefreshTexts texts;
  std::string folder;
  Bytes bitmap;
  bool bitmap_saved = false;
  bool converter_ran = false;
  bool reading = true;
  trap.Step(100, [&] {
    silent = AwaitRequestGap(silent);
    reading = getWeather(silent);
  });
  // Closed while waiting, the windows this reading was for are gone; withdrawn, there is none.
  if (closing_ || !reading) return;
  trap.Step(102, [&] {
    texts = BuildRefreshTexts(cur_temp_, reason_, cur_unit_, city_name_, view_.PushButton5Caption());
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
    bitmap = view_.Picture(1).BitmapFile();
    folder = ImageFolder();
    patient_files_.Write(folder + "\\CurTemp.bmp", bitmap);
    bitmap_saved = true;
  });
  // Without the bitmap the converter would convert an older one.
  if (bitmap_saved) trap.Step(114, [&] { converter_ran = MakeIcon(silent, folder); });
  if (closing_) return;
  trap.Step(116, [&] {
    tray_.SetTrayIcon(services_.pictures.FromIconFile(IconOfThisPicture(bitmap, folder, converter_ran)));
  });
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
