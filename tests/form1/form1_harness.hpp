#pragma once
// Form1 wired to fakes of every service, as the real program wires it to Win32.
#include <functional>
#include <memory>
#include <string>

#include "app/form1.hpp"
#include "platform/fakes/fake_http_transfer.hpp"
#include "platform/fakes/fake_main_view.hpp"
#include "platform/fakes/fake_picture_loader.hpp"
#include "platform/fakes/fake_process_launcher.hpp"
#include "platform/fakes/fake_registry.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_shell.hpp"
#include "platform/fakes/fake_skin_engine.hpp"
#include "platform/fakes/fake_tray.hpp"

namespace wethrix::testing {

inline constexpr std::string_view kSanDiegoReply =
    R"({"coord":{"lon":-117.16,"lat":32.72},"main":{"temp":298.71,"humidity":60},"name":"San Diego","cod":200})";
inline constexpr std::string_view kRefusedReply =
    R"({"cod":401, "message": "Invalid API key. Please see https://openweathermap.org/faq#error401 for more info."})";
inline constexpr std::string_view kUnknownPlaceReply = R"({"cod":"404","message":"city not found"})";

class Form1Harness {
 public:
  Form1Harness();

  // Queues one reply of the weather service.
  void Answer(int status, std::string_view body);
  // Loads the window and performs the first activation, as the program does at start.
  void Start() const;
  // Runs `action` once, in the first pass of pending events: a trigger that comes while the
  // refresh waits.
  void OnceWhileWaiting(std::function<void()> action);
  [[nodiscard]] std::string Setting(const std::string& key) const { return store.Get(key); }
  [[nodiscard]] std::vector<fakes::SentRecord> Balloons() const;
  [[nodiscard]] int Refreshes() const { return static_cast<int>(inet.urls.size()); }
  // The icon file of what the last refresh drew, as the converter makes it.
  [[nodiscard]] Bytes IconOfTheDrawnPicture();

  fakes::FakeFileSystem files;
  fakes::FakeSettingsStore store;
  fakes::FakeDialogs dialogs;
  fakes::FakeHttpTransfer inet;
  fakes::FakeClock clock;
  fakes::FakeEventPump pump;
  fakes::FakeEnvironment environment;
  fakes::FakeProcessLauncher launcher;
  fakes::FakePictureLoader pictures;
  fakes::FakeColorPicker color_picker;
  fakes::FakeRegistry registry;
  fakes::FakeSkinEngine skin;
  fakes::FakeTrayShell shell;
  fakes::FakeTrayWindow* tray_window = nullptr;
  fakes::FakeMainView view;
  int key_dialog_shows = 0;
  int program_ends = 0;
  std::unique_ptr<cSysTray> tray;
  std::unique_ptr<Form1> form;
};

}  // namespace wethrix::testing
