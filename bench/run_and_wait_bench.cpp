// Under Wine: the median of 20 whole RunAndWait calls of the carried converter on a 32 x 33
// bitmap, beside the converter process's own lifetime, which the 100 ms polling rounds up.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "display/converter.hpp"
#include "display/shell32.hpp"
#include "platform/win32/clock.hpp"
#include "platform/win32/environment.hpp"
#include "platform/win32/event_pump.hpp"
#include "platform/win32/file_system.hpp"
#include "platform/win32/process_launcher.hpp"
#include "platform/win32/unique_handle.hpp"
#include "platform/win32/wide.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/tools/bitmap_builder.hpp"

namespace {

using namespace wethrix;
using Milliseconds = std::chrono::duration<double, std::milli>;
constexpr int kRuns = 20;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return (values[(values.size() - 1) / 2] + values[values.size() / 2]) / 2;
}

template <typename Action>
double TimeOnce(Action action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return Milliseconds(std::chrono::steady_clock::now() - start).count();
}

// Launch to exit, waited for by the system rather than polled.
void RunDirectly(const std::string& command_line) {
  std::wstring line = win32::Widen(command_line);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION created{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &created)) {
    return;
  }
  const win32::unique_kernel_handle process(created.hProcess);
  const win32::unique_kernel_handle thread(created.hThread);
  ::WaitForSingleObject(process.get(), INFINITE);
}

}  // namespace

int wmain() {
  win32::Win32Environment environment;
  win32::Win32FileSystem files;
  win32::Win32ProcessLauncher launcher;
  win32::Win32EventPump events;
  win32::SteadyClock clock;
  const test_support::TempFolder temp(u8"wethrix-run-and-wait-bench");
  const std::string converter = temp.Utf8(u8"nconvert.exe");
  const std::string bitmap = temp.Utf8(u8"CurTemp.bmp");
  ExtractConverter(files, events, ConverterBytes(environment), converter);
  files.Write(bitmap, nconvert::test_support::BuildBitmap(nconvert::test_support::Pattern(32, 33, 2), 24));
  const std::string command_line = ConverterCommandLine(converter, bitmap);

  std::vector<double> waited;
  std::vector<double> direct;
  for (int run = 0; run < kRuns; ++run) {
    std::int32_t exit_code = 0;
    waited.push_back(TimeOnce([&] {
      exit_code = Shell32::RunAndWait({launcher, events, clock}, command_line, 0);
    }));
    if (exit_code != 0) {
      std::printf("the converter failed with %d\n", exit_code);
      return 1;
    }
    direct.push_back(TimeOnce([&] { RunDirectly(command_line); }));
  }
  std::printf("RunAndWait of the converter, median of %d: %.1f ms (min %.1f, max %.1f)\n", kRuns,
              Median(waited), *std::min_element(waited.begin(), waited.end()),
              *std::max_element(waited.begin(), waited.end()));
  std::printf("converter process alone, launch to exit, median of %d: %.1f ms\n", kRuns, Median(direct));
  return 0;
}
