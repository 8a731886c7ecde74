#pragma once
// The main window's behaviour: start-up and closing, the refresh, the tray life and the option
// handlers. It works only through MainView and the platform interfaces, so it runs unchanged
// against the real window and against fakes.
#include <functional>
#include <optional>
#include <string>

#include "app/main_view.hpp"
#include "app/settings.hpp"
#include "display/converter.hpp"
#include "display/patient_files.hpp"
#include "platform/clock.hpp"
#include "platform/color_picker.hpp"
#include "platform/dialogs.hpp"
#include "platform/environment.hpp"
#include "platform/event_pump.hpp"
#include "platform/file_system.hpp"
#include "platform/http_transfer.hpp"
#include "platform/picture.hpp"
#include "platform/process_launcher.hpp"
#include "platform/registry.hpp"
#include "platform/skin_engine.hpp"
#include "tray/sys_tray.hpp"
#include "weather/get_weather.hpp"
#include "weather/retry_schedule.hpp"

namespace wethrix {

struct Form1Services {
  SettingsStore& store;
  Dialogs& dialogs;
  HttpTransfer& inet;
  EventPump& pump;
  Clock& clock;
  FileSystem& files;
  Environment& environment;
  ProcessLauncher& launcher;
  PictureLoader& pictures;
  ColorPicker& color_picker;
  Registry& registry;
  SkinEngine& skin;
  // Shows the API key dialog, loading it first when it is not loaded.
  std::function<void()> show_key_dialog;
  // Ends the process at once, whatever is still waiting inside it.
  std::function<void()> end_program;
};

class Form1 final : public MainViewEvents {
 public:
  Form1(MainView& view, cSysTray& tray, Form1Services services);

  void Form_Load();
  // What follows loading: the window comes up and is activated, or it starts in the tray.
  void ShowAfterLoading();
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_QueryUnload() override;
  void Form_Unload() override;
  void PushButton4_Click() override;
  void PushButton5_Click() override;
  void PushButton7_Click() override;
  void PushButton8_Click() override;
  void Option4_Click() override;
  void Option5_Click() override;
  void Check3_Click() override;
  void Check8_Click() override;
  void Text2_Change() override;
  void MouseMove(MainControl control) override;
  void PowerResumed() override;
  void AnotherCopyStarted() override;

  void cSysTray1_MouseUp(TrayButton button, std::int32_t id);
  void Timer1_Timer();
  void RetryTimer_Timer();
  // The one refresh. A trigger that arrives while a refresh runs is folded into one more run, or
  // into its request while that waits out the gap; a user's change withdraws a request in
  // flight. Once closing has begun none starts, and a running one stops after its current wait.
  void ListTemp(bool silent);

  [[nodiscard]] double CurTemp() const { return cur_temp_; }
  [[nodiscard]] const std::string& CityName() const { return city_name_; }
  [[nodiscard]] bool InTimer() const { return in_timer_; }
  [[nodiscard]] bool HiddenInTray() const { return hidden_in_tray_; }
  // Folder that receives "CurTemp.bmp" and "CurTemp.ico": the program's own when it can be
  // written, else one under %LOCALAPPDATA%, created again whenever it has gone.
  [[nodiscard]] std::string ImageFolder();
  [[nodiscard]] std::string ConverterFile() const;
  [[nodiscard]] std::string HandCursorFile() const;

 private:
  void BringBack();
  void HideIntoTray();
  void SayHiddenIntoTray();
  void RefreshOnce(bool silent);
  // Waits out the gap between requests; whether the request that follows is silent.
  [[nodiscard]] bool AwaitRequestGap(bool silent);
  // The query; false when it was withdrawn, so that there is no reading to show.
  [[nodiscard]] bool getWeather(bool silent);
  // After a round of refreshes: a try soon when its last request got no answer, else none.
  void ArmRetryTimer() noexcept;
  // Puts the converter right and runs it; false when it could not be put right on a silent refresh.
  [[nodiscard]] bool MakeIcon(bool silent, const std::string& folder);
  [[nodiscard]] Bytes IconOfThisPicture(const Bytes& bitmap, const std::string& folder, bool converter_ran);
  [[nodiscard]] bool FileHolds(const std::string& path, const Bytes& bytes);
  [[nodiscard]] Unit SelectedUnit() const;
  void DrawIcon(const std::string& icon_text);
  void CenterSampleX();
  void CenterSampleY();
  void PrintSample();
  void ChangeColor(int swatch, std::string_view key, bool foreground, std::string_view tag);
  void StoreUnits();

  MainView& view_;
  cSysTray& tray_;
  Form1Services services_;
  PatientFiles patient_files_;
  Settings settings_;
  EndableLauncher converter_runs_;
  Bytes converter_;
  bool in_timer_ = false;
  bool hidden_in_tray_ = false;
  double cur_temp_ = 0;
  Unit cur_unit_ = Unit::kNone;  // the unit cur_temp_ was converted to
  std::string city_name_;
  std::string reason_;
  std::string application_title_;
  std::optional<bool> images_beside_program_;
  bool refreshing_ = false;
  bool rerun_ = false;
  bool rerun_silent_ = true;
  bool withdrawn_ = false;  // a user's change came while the request was in flight
  bool closing_ = false;
  std::uint32_t finished_refreshes_ = 0;
  struct Request {
    std::chrono::steady_clock::time_point asked_at;
    bool answered = false;
  };
  std::optional<Request> last_request_;  // of the refresh round under way
  // The latest request of the run, from which the next keeps its distance.
  std::optional<std::chrono::steady_clock::time_point> last_asked_;
  RetrySchedule retries_;
};

}  // namespace wethrix
