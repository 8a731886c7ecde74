#pragma once
// Form1 on the real main window, with the real files, event pump and clock, and the program's
// folder and TEMP moved into one folder. The weather transfer, the process launcher, the picture
// loader and the shell's notification area are handed in, so a test can capture them and a
// benchmark can time them. Settings and boxes stay in memory: a box must never block a run.
#include <map>
#include <string>

#include "app/form1.hpp"
#include "platform/fakes/fake_registry.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_shell.hpp"
#include "platform/fakes/fake_skin_engine.hpp"
#include "platform/win32/services/clock.hpp"
#include "platform/win32/services/environment.hpp"
#include "platform/win32/services/event_pump.hpp"
#include "platform/win32/services/file_system.hpp"
#include "platform/win32/windows/main_window.hpp"

namespace wethrix::testing {

// The running process, except that the program's folder, TEMP and the system's temporary folder
// are `folder`, and `overrides` replace environment variables.
class FolderEnvironment final : public Environment {
 public:
  explicit FolderEnvironment(std::string folder) : folder_(std::move(folder)) {}
  [[nodiscard]] std::optional<std::string> Variable(std::string_view name) const override;
  [[nodiscard]] std::string ProgramPath() const override { return folder_ + "\\Wethrix.exe"; }
  [[nodiscard]] std::string ProgramFolder() const override { return folder_; }
  [[nodiscard]] std::string SystemTempFolder() const override { return folder_; }
  [[nodiscard]] std::string LocalAppDataFolder() const override { return real_.LocalAppDataFolder(); }
  [[nodiscard]] Bytes Resource(std::string_view type, int id) const override {
    return real_.Resource(type, id);
  }
  [[nodiscard]] std::string DecimalSeparator() const override { return real_.DecimalSeparator(); }

  std::map<std::string, std::string, std::less<>> overrides;

 private:
  win32::Win32Environment real_;
  std::string folder_;
};

struct RigServices {
  HttpTransfer& inet;
  ProcessLauncher& launcher;
  PictureLoader& pictures;
  TrayShell& tray_shell;
};

class Win32RefreshRig {
 public:
  // `settings` are stored before the window loads; the API key defaults to the stand-in's.
  Win32RefreshRig(const std::string& folder, RigServices services,
                  const std::map<std::string, std::string>& settings = {});
  // Loads the window as start-up does; no refresh runs yet.
  void Load() { form.Form_Load(); }
  [[nodiscard]] std::string File(std::string_view name) const {
    return environment.ProgramFolder() + "\\" + std::string(name);
  }

  win32::Win32EventPump pump;
  win32::SteadyClock clock;
  fakes::FakeSettingsStore store;
  fakes::FakeDialogs dialogs;
  win32::Win32FileSystem files;
  FolderEnvironment environment;
  fakes::FakeColorPicker color_picker;
  fakes::FakeRegistry registry;
  fakes::FakeSkinEngine skin;
  win32::MainWindow window;
  cSysTray tray;
  Form1 form;
  int key_dialog_shows = 0;
};

}  // namespace wethrix::testing
