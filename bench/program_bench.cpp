// Under Wine, the real Wethrix.exe (WETHRIX_EXE) against the local stand-in (WETHRIX_API_BASE),
// watched from outside its process: time from the process's creation to the first icon file the
// converter writes (the tray icon is loaded from it a moment later), and the process's private
// memory after five refreshes; and the same two figures of a hello-world window started the same
// way, their floors.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "bench/figures.hpp"
#include "bench/process_memory.hpp"
#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

using namespace wethrix;
using namespace wethrix::acceptance;
constexpr int kRefreshes = 5;
constexpr int kStartups = 5;

ULONGLONG Ticks(const FILETIME& time) {
  return ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart;
}

// Last write of a file in 100 ns units, or 0 while it is missing.
ULONGLONG WrittenAt(const std::filesystem::path& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return 0;
  return Ticks(data.ftLastWriteTime);
}

struct Floor {
  double startup_ms = 0;
  double memory_kib = 0;
};

// Starts the hello-world window, waits for its first paint, reads its memory and closes it.
std::optional<Floor> HelloWindow(const std::filesystem::path& folder) {
  const std::filesystem::path report = folder / "hello-painted.txt";
  std::wstring line =
      L"\"" + win32::Widen(bench::BesideMe("bench_hello_window.exe")) + L"\" \"" + report.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION created{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &created)) {
    return std::nullopt;
  }
  const win32::unique_kernel_handle process(created.hProcess);
  const win32::unique_kernel_handle thread(created.hThread);
  Floor floor;
  if (!WaitUntil(
          [&] {
            std::ifstream written(report);
            return static_cast<bool>(written >> floor.startup_ms);
          },
          60s)) {
    return std::nullopt;
  }
  WaitUntil([] { return false; }, 1s);  // settled, as Wethrix is before its figure
  floor.memory_kib = bench::HoldingsOf(process.get()).private_committed_kib;
  ::PostMessageW(::FindWindowW(L"WethrixBenchHello", nullptr), WM_CLOSE, 0, 0);
  ::WaitForSingleObject(process.get(), 10000);
  return floor;
}

// Five refreshes, each started by a click on a unit option, then the process's memory.
bool MeasureMemory(WethrixDriver& wethrix, HANDLE process, const std::filesystem::path& icon) {
  for (int refresh = 0; refresh < kRefreshes; ++refresh) {
    const ULONGLONG before = WrittenAt(icon);
    wethrix.Click(refresh % 2 == 0 ? "Option5" : "Option4");
    if (!WaitUntil([&] { return WrittenAt(icon) != before; }, 60s)) return false;
  }
  WaitUntil([] { return false; }, 1s);  // the last refresh's icon load and balloon
  const bench::Holdings held = bench::HoldingsOf(process);
  std::printf(
      "Wethrix.exe after %d more refreshes: private committed memory %.0f KiB (PrivateUsage %.0f KiB)\n",
      kRefreshes, held.private_committed_kib, held.private_usage_kib);
  bench::Figure("wethrix_memory", held.private_committed_kib);
  return true;
}

// Starts Wethrix.exe in a fresh folder and returns the time from its process's creation to the
// first icon file, or nothing when none comes; with `measure_memory`, then refreshes it five times
// and prints its memory before closing it.
std::optional<double> WethrixStartup(bool measure_memory) {
  settings::Clear();
  settings::Set(L"APIKey", L"demo-key");
  const test_support::TempFolder folder(u8"wethrix-program-bench");
  WethrixDriver wethrix(folder.Path());
  wethrix.Start();
  DWORD process_id = 0;
  ::GetWindowThreadProcessId(wethrix.MainWindow(), &process_id);
  const win32::unique_kernel_handle process(
      ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id));
  FILETIME created{};
  FILETIME exited{};
  FILETIME kernel{};
  FILETIME user{};
  ::GetProcessTimes(process.get(), &created, &exited, &kernel, &user);

  const auto icon = folder.Path() / "CurTemp.ico";
  if (!WaitUntil([&] { return WrittenAt(icon) != 0; }, 60s)) return std::nullopt;
  const double startup = static_cast<double>(WrittenAt(icon) - Ticks(created)) / 10000.0;
  if (measure_memory && !MeasureMemory(wethrix, process.get(), icon)) return std::nullopt;
  if (!wethrix.CloseAndWait()) return std::nullopt;
  return startup;
}

}  // namespace

// Start-ups alternate between the two programs and the medians are compared, so that a slow
// moment of the machine does not fall on one side only.
int wmain() {
  std::vector<double> hello_startups;
  std::vector<double> wethrix_startups;
  for (int run = 0; run < kStartups; ++run) {
    const bool last = run == kStartups - 1;
    const test_support::TempFolder hello_folder(u8"wethrix-hello-bench");
    const std::optional<Floor> floor = HelloWindow(hello_folder.Path());
    const std::optional<double> startup = WethrixStartup(last);
    if (!floor || !startup) {
      std::printf("a start-up did not reach its first paint or icon\n");
      return 1;
    }
    hello_startups.push_back(floor->startup_ms);
    wethrix_startups.push_back(*startup);
    std::printf("start-up %d (ms): hello-world window %.1f, Wethrix.exe %.1f\n", run + 1, floor->startup_ms,
                *startup);
    if (last) {
      std::printf("hello-world window: private committed %.0f KiB\n", floor->memory_kib);
      bench::Figure("hello_memory", floor->memory_kib);
    }
  }
  const double hello = bench::Median(hello_startups);
  const double wethrix = bench::Median(wethrix_startups);
  std::printf(
      "median of %d start-ups (ms): hello-world window, creation to first paint %.1f; "
      "Wethrix.exe, creation to the first CurTemp.ico %.1f\n",
      kStartups, hello, wethrix);
  bench::Figure("hello_startup", hello);
  bench::Figure("wethrix_startup", wethrix);
  return 0;
}
