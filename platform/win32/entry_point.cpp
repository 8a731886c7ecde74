// The program's entry: builds the services and the main window, then runs the message loop.
#include <windows.h>

#include "platform/errors.hpp"
#include "platform/win32/main_window.hpp"
#include "platform/win32/wide.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int /*show*/) {
  try {
    wethrix::win32::MainWindow window(instance);
    window.SetCaption("Wethrix");
    window.SetApplicationIcon();
    window.Show();
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (window.PreTranslate(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
  } catch (const wethrix::AppError& error) {
    ::MessageBoxW(nullptr, wethrix::win32::Widen(error.what()).c_str(), L"Wethrix", MB_ICONERROR);
    return 1;
  }
}
