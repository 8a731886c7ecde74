// Shows the key dialog as the program loads it, with sample services, for the picture in docs/.
// Closes after the number of seconds given as its argument (default 30), or with the close box.
#include <windows.h>

#include <cstdlib>

#include "options/key_dialog.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_shell.hpp"
#include "platform/win32/windows/key_dialog_window.hpp"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int /*show*/) {
  using namespace wethrix;
  fakes::FakeSettingsStore store;
  store.Set("APIKey", "0123456789abcdef0123456789abcdef");
  fakes::FakeDialogs dialogs;
  fakes::FakeShellOpen shell;
  fakes::FakeFileSystem files;
  fakes::FakeEnvironment environment;
  win32::KeyDialogWindow window(hInstance);
  Form3 form3(window, {store, dialogs, shell, files, environment, [](bool) {}, [] { ::PostQuitMessage(0); }});
  window.SetEvents(&form3);
  form3.Show();

  const int seconds = __argc > 1 ? _wtoi(__wargv[1]) : 30;
  ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000U,
             [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); });
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
