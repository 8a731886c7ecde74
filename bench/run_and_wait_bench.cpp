// Under Wine: whole RunAndWait calls of the carried converter on a 32 x 33 bitmap beside those of
// a console program that returns at once, built the same way; each also run bare, waited for on
// its process handle. And the CPU time of a one-second wait while the program's quit is pending.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/figures.hpp"
#include "display/converter.hpp"
#include "display/patient_files.hpp"
#include "display/shell32.hpp"
#include "platform/win32/services/clock.hpp"
#include "platform/win32/services/environment.hpp"
#include "platform/win32/services/event_pump.hpp"
#include "platform/win32/services/file_system.hpp"
#include "platform/win32/services/process_launcher.hpp"
#include "tests/image/bitmap_builder.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

using namespace wethrix;
using bench::Figure;
using bench::Median;
using bench::TimeOnce;
constexpr int kRuns = 20;
constexpr std::chrono::seconds kQuitWait{1};

struct Runs {
  std::vector<double> waited;
  std::vector<double> bare;
};

Runs TimeRuns(const std::string& command_line) {
  win32::Win32ProcessLauncher launcher;
  win32::Win32EventPump events;
  win32::SteadyClock clock;
  Runs runs;
  for (int run = 0; run < kRuns; ++run) {
    runs.waited.push_back(TimeOnce([&] {
      (void)Shell32::RunAndWait({launcher, events, clock}, command_line, 0);
    }));
    runs.bare.push_back(TimeOnce([&] { bench::RunDirectly(command_line); }));
  }
  return runs;
}

// A wait as the query's and the balloon's: let events run, wait for the next message.
template <typename Wait>
double CpuOfAWaitWithTheQuitPending(Wait wait_once) {
  ::PostQuitMessage(0);
  const double before = bench::ProcessCpuMilliseconds();
  const auto until = std::chrono::steady_clock::now() + kQuitWait;
  while (std::chrono::steady_clock::now() < until) wait_once();
  const double used = bench::ProcessCpuMilliseconds() - before;
  MSG quit;
  ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  return used;
}

// The pump as it was: the re-posted quit kept the queue signalled, so each wait returned at once.
void FormerPassAndWait() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    ::DispatchMessageW(&msg);
  }
  ::MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace

int wmain() {
  win32::Win32Environment environment;
  win32::Win32FileSystem files;
  win32::Win32EventPump events;
  const win32::SteadyClock clock;
  PatientFiles patient(files, events, clock);
  const test_support::TempFolder temp(u8"wethrix-run-and-wait-bench");
  const std::string converter = temp.Utf8(u8"nconvert.exe");
  const std::string bitmap = temp.Utf8(u8"CurTemp.bmp");
  const Bytes carried = ConverterBytes(environment);
  ExtractConverter(patient, events, carried, converter);
  files.Write(bitmap, imaging::test_support::BuildBitmap(imaging::test_support::Pattern(32, 33, 2), 24));

  const Runs conversions = TimeRuns(ConverterCommandLine(converter, bitmap));
  std::string trivial_line(1, '"');
  trivial_line.append(bench::BesideMe("bench_trivial_console.exe")).push_back('"');
  const Runs trivial = TimeRuns(trivial_line);
  std::printf("median of %d runs (ms)            RunAndWait   bare, waited on its handle\n", kRuns);
  std::printf("  converter on CurTemp.bmp       %10.1f   %10.1f\n", Median(conversions.waited),
              Median(conversions.bare));
  std::printf("  console program, returns at once %8.1f   %10.1f\n", Median(trivial.waited),
              Median(trivial.bare));
  Figure("converter_run_and_wait", Median(conversions.waited));
  Figure("converter_bare", Median(conversions.bare));
  Figure("trivial_run_and_wait", Median(trivial.waited));
  Figure("trivial_bare", Median(trivial.bare));

  // What each refresh does before it runs the converter: hold the file and compare it with the
  // carried bytes.
  std::vector<double> checks;
  checks.reserve(kRuns);
  for (int run = 0; run < kRuns; ++run) {
    checks.push_back(TimeOnce([&] { static_cast<void>(HoldConverter(patient, carried, converter)); }));
  }
  std::printf("  checking the converter file    %10.2f\n", Median(checks));
  Figure("converter_check", Median(checks));

  const double former = CpuOfAWaitWithTheQuitPending(FormerPassAndWait);
  win32::Win32EventPump pump;
  const double now = CpuOfAWaitWithTheQuitPending([&] {
    pump.DoEvents();
    pump.WaitFor(nullptr, std::chrono::milliseconds(50));
  });
  std::printf("CPU time over a 1 s wait with the quit pending: %.1f ms as it was, %.1f ms now\n", former,
              now);
  Figure("quit_wait_cpu_former", former);
  Figure("quit_wait_cpu", now);
  return 0;
}
