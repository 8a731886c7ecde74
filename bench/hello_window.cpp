// The floor of the program's memory and start-up: a hello-world window with one button. On its
// first paint it writes the milliseconds since its process was created into the file named by
// its argument, then stays until it is closed.
#include <windows.h>

#include <cstdio>

namespace {

const wchar_t* g_report = nullptr;
bool g_painted = false;

ULONGLONG Ticks(const FILETIME& time) {
  return ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart;
}

void ReportFirstPaint() {
  FILETIME created{};
  FILETIME exited{};
  FILETIME kernel{};
  FILETIME user{};
  FILETIME now{};
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  ::GetSystemTimePreciseAsFileTime(&now);
  FILE* file = _wfopen(g_report, L"w");
  if (file == nullptr) return;
  static_cast<void>(std::fprintf(file, "%.1f\n", static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0));
  static_cast<void>(std::fclose(file));
}

LRESULT CALLBACK HelloProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = ::BeginPaint(window, &paint);
      ::TextOutW(dc, 10, 10, L"Hello, world", 12);
      ::EndPaint(window, &paint);
      if (!g_painted && g_report != nullptr) ReportFirstPaint();
      g_painted = true;
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int /*show*/) {
  if (__argc > 1) g_report = __wargv[1];
  WNDCLASSW type{};
  type.lpfnWndProc = HelloProc;
  type.hInstance = instance;
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = L"WethrixBenchHello";
  ::RegisterClassW(&type);
  const HWND window =
      ::CreateWindowExW(0, type.lpszClassName, L"Hello", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                        CW_USEDEFAULT, 300, 200, nullptr, nullptr, type.hInstance, nullptr);
  ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 40, 80, 26, window,
                    nullptr, type.hInstance, nullptr);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
