// The program's entry: builds the services and the windows, wires them to the logic, and runs the
// message loop until the main window closes.
#include <windows.h>

#include <memory>

#include "app/application_title.hpp"
#include "app/form1.hpp"
#include "options/key_dialog.hpp"
#include "options/palette_skin.hpp"
#include "platform/win32/services/clock.hpp"
#include "platform/win32/services/color_picker.hpp"
#include "platform/win32/services/dialogs.hpp"
#include "platform/win32/services/environment.hpp"
#include "platform/win32/services/event_pump.hpp"
#include "platform/win32/services/file_system.hpp"
#include "platform/win32/services/message_gate.hpp"
#include "platform/win32/services/picture_loader.hpp"
#include "platform/win32/services/process_launcher.hpp"
#include "platform/win32/services/registry.hpp"
#include "platform/win32/services/registry_settings_store.hpp"
#include "platform/win32/services/shell_open.hpp"
#include "platform/win32/services/single_instance.hpp"
#include "platform/win32/services/tray_shell.hpp"
#include "platform/win32/services/tray_window.hpp"
#include "platform/win32/services/wide.hpp"
#include "platform/win32/services/wininet_transfer.hpp"
#include "platform/win32/windows/key_dialog_window.hpp"
#include "platform/win32/windows/main_window.hpp"

namespace wethrix::win32 {
namespace {

// Closing may come inside a wait whose WinINet worker the system never wakes: the process ends
// here rather than unwinding into destructors that would join it.
void EndProgram() {
  ::ExitProcess(0);
}

// Owns every long-lived object; members are destroyed in reverse order, so the key dialog and the
// logic go before the tray icon, and the tray icon before the main window.
class Program {
 public:
  explicit Program(HINSTANCE instance)
      : window_(instance),
        tray_(std::make_unique<Win32TrayWindow>(), tray_shell_, pump_, clock_),
        form_(
            window_, tray_,
            Form1Services{store_, dialogs_, inet_, pump_, clock_, files_, environment_, launcher_, pictures_,
                          color_picker_, registry_, skin_, [this] { form3_.Show(); }, &EndProgram}),
        key_window_(instance),
        form3_(key_window_,
               Form3Services{store_, dialogs_, shell_, files_, environment_,
                             [this](bool silent) { form_.ListTemp(silent); }, [this] { window_.Show(); }}) {
    dialogs_.SetOwner(window_.Hwnd());
    shell_.SetOwner(window_.Hwnd());
    color_picker_.SetOwner(window_.Hwnd());
    window_.SetEvents(&form_);
    key_window_.SetEvents(&form3_);
    // The one place that knows which windows take keys as dialogs do: the main loop and every
    // wait inside a refresh hand their messages on through the pump.
    pump_.SetPreTranslate(
        [this](MSG& msg) { return window_.PreTranslate(msg) || key_window_.PreTranslate(msg); });
  }

  int Run(SingleInstance& instance) {
    form_.Form_Load();
    instance.Ready(window_.Hwnd());
    form_.ShowAfterLoading();
    return MessageLoop();
  }

 private:
  int MessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) pump_.Dispatch(msg);
    return static_cast<int>(msg.wParam);
  }

  Win32EventPump pump_;
  SteadyClock clock_;
  RegistrySettingsStore store_;
  Win32Dialogs dialogs_{ApplicationTitle(kProductName)};
  WinInetTransfer inet_;
  Win32FileSystem files_;
  Win32Environment environment_;
  Win32ProcessLauncher launcher_;
  Win32PictureLoader pictures_;
  Win32ColorPicker color_picker_;
  Win32Registry registry_;
  Win32ShellOpen shell_;
  Win32TrayShell tray_shell_;
  MainWindow window_;
  // From the main window on, every message loop of the thread passes the gate; another program's
  // WM_QUIT closes as the close box does.
  MessageGate gate_{[this] { window_.Close(); }};
  PaletteSkin skin_{files_, window_.SkinApplier()};
  cSysTray tray_;
  Form1 form_;
  KeyDialogWindow key_window_;
  Form3 form3_;
};

}  // namespace
}  // namespace wethrix::win32

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int /*show*/) {
  // Before any DLL is loaded: from System32 only, never from the program's folder (a Downloads
  // folder may hold a planted DLL). Delay-loaded WinINet and whatever the system loads follow it.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  try {
    // Before anything else, a second start hands over to the copy already running.
    wethrix::win32::SingleInstance single_instance;
    if (single_instance.HandedOver()) return 0;
    wethrix::win32::Program program(hInstance);
    return program.Run(single_instance);
  } catch (const std::exception& error) {
    ::MessageBoxW(nullptr, wethrix::win32::Widen(error.what()).c_str(), L"Wethrix", MB_ICONERROR);
    return 1;
  }
}
