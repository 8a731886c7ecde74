// Under Wine, against the local weather stand-in (WETHRIX_API_BASE): the refresh of the real
// main window and services, composed in process as the program composes them. Decorators on the
// platform interfaces stamp the moments the product reaches them; the product holds no timing
// code. Measures start-up to the first temperature icon, the phases of one refresh beside its two
// floors (the stand-in's bare reply and the converter's bare run), the time spent waiting on the
// notification area, which is the shell's and not the program's own work, where the private
// memory goes, memory and icons over 1,000 back-to-back refreshes, and the messages the idle
// user-interface thread wakes for.
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench/figures.hpp"
#include "bench/process_memory.hpp"
#include "display/converter.hpp"
#include "platform/win32/services/picture_loader.hpp"
#include "platform/win32/services/process_launcher.hpp"
#include "platform/win32/services/tray_shell.hpp"
#include "platform/win32/services/wininet_transfer.hpp"
#include "tests/form1/win32_refresh_rig.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

using namespace wethrix;
using Steady = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
constexpr int kTimedRefreshes = 20;
constexpr int kDefaultMemoryRefreshes = 1000;

// Moments of the current refresh, by name; a later stamp of the same name replaces the earlier.
class Stamps {
 public:
  void Mark(const std::string& name) { moments_[name] = Steady::now(); }
  [[nodiscard]] bool Has(const std::string& name) const { return moments_.contains(name); }
  [[nodiscard]] double Between(const std::string& from, const std::string& to) const {
    return Milliseconds(moments_.at(to) - moments_.at(from)).count();
  }
  void Clear() { moments_.clear(); }

 private:
  std::map<std::string, Steady::time_point> moments_;
};

class StampedTransfer final : public HttpTransfer {
 public:
  explicit StampedTransfer(Stamps& stamps) : stamps_(stamps) {}
  [[nodiscard]] bool Begin(const std::string& url, HttpTimeouts timeouts) override {
    stamps_.Mark("query begins");
    return inner_.Begin(url, timeouts);
  }
  [[nodiscard]] bool StillExecuting() const override { return inner_.StillExecuting(); }
  [[nodiscard]] const Waitable& Finished() const override { return inner_.Finished(); }
  [[nodiscard]] bool Abandon() override { return inner_.Abandon(); }
  [[nodiscard]] HttpReply TakeReply() override {
    HttpReply reply = inner_.TakeReply();
    stamps_.Mark("reply taken");
    return reply;
  }

 private:
  Stamps& stamps_;
  win32::WinInetTransfer inner_;
};

class StampedLauncher final : public ProcessLauncher {
 public:
  explicit StampedLauncher(Stamps& stamps) : stamps_(stamps) {}
  [[nodiscard]] LaunchResult Start(std::string_view command_line, int window_style) override {
    stamps_.Mark("converter starts");
    return inner_.Start(command_line, window_style);
  }

 private:
  Stamps& stamps_;
  win32::Win32ProcessLauncher inner_;
};

// Also counts the pictures loaded and those let go (each icon is destroyed with its picture).
class StampedPictures final : public PictureLoader {
 public:
  explicit StampedPictures(Stamps& stamps) : stamps_(stamps) {}
  [[nodiscard]] PicturePtr FromIconFile(const Bytes& file) override {
    stamps_.Mark("icon load begins");
    PicturePtr inner = inner_.FromIconFile(file);
    stamps_.Mark("icon loaded");
    ++loaded;
    const Picture* raw = inner.get();
    return {raw, [this, held = std::move(inner)](const Picture*) mutable {
              held.reset();
              ++released;
            }};
  }
  int loaded = 0;
  int released = 0;

 private:
  Stamps& stamps_;
  win32::Win32PictureLoader inner_;
};

// The real notification area; also keeps the moment of the very first icon.
class StampedTrayShell final : public TrayShell {
 public:
  explicit StampedTrayShell(Stamps& stamps) : stamps_(stamps) {}
  [[nodiscard]] bool Notify(std::uint32_t message, const NotifyRecord& record) noexcept override {
    const bool balloon = (record.uFlags & kNifInfo) != 0 && record.szInfo[0] != 0;
    if (balloon) stamps_.Mark("balloon begins");
    const auto start = Steady::now();
    const bool accepted = inner_.Notify(message, record);
    in_shell_ms += Milliseconds(Steady::now() - start).count();
    if ((record.uFlags & kNifTip) != 0) stamps_.Mark("tip set");
    if ((record.uFlags & kNifIcon) != 0 && record.hIcon != 0 && message == kNimModify) {
      stamps_.Mark("icon in tray");
      if (!first_icon) first_icon = FileTimeNow();
    }
    if (balloon) stamps_.Mark("balloon shown");
    return accepted;
  }
  static ULONGLONG FileTimeNow() {
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    return ULARGE_INTEGER{{now.dwLowDateTime, now.dwHighDateTime}}.QuadPart;
  }
  std::optional<ULONGLONG> first_icon;  // 100 ns units, as the process's creation time
  double in_shell_ms = 0;               // inside Shell_NotifyIconW, which waits on the shell

 private:
  Stamps& stamps_;
  win32::Win32TrayShell inner_;
};

struct Phase {
  const char* name;
  const char* from;
  const char* to;
};
constexpr Phase kPhases[] = {
    {"query (request to reply)", "query begins", "reply taken"},
    {"texts, setting, tooltip", "reply taken", "tip set"},
    {"drawing and bitmap save", "tip set", "converter starts"},
    {"converter run (RunAndWait)", "converter starts", "icon load begins"},
    {"icon load", "icon load begins", "icon loaded"},
    {"icon into the tray", "icon loaded", "icon in tray"},
    {"sample redraw", "icon in tray", "balloon begins"},
    {"balloon (NIM_MODIFY)", "balloon begins", "balloon shown"},
};

struct Spread {
  double median = 0;
  double min = 0;
  double max = 0;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {(values[(values.size() - 1) / 2] + values[values.size() / 2]) / 2, values.front(), values.back()};
}

void PrintRow(const char* name, const std::vector<double>& values) {
  const Spread spread = SpreadOf(values);
  std::printf("  %-28s median %7.1f ms   min %7.1f   max %7.1f\n", name, spread.median, spread.min,
              spread.max);
}

template <typename Field>
void PrintGrowth(const char* name, const std::vector<bench::Holdings>& series, Field field) {
  double low = field(series.front());
  double high = low;
  for (const bench::Holdings& holdings : series) {
    low = std::min(low, field(holdings));
    high = std::max(high, field(holdings));
  }
  std::printf("  %-26s after 5 %9.0f   first %9.0f   last %9.0f   min %9.0f   max %9.0f\n", name,
              field(series[4]), field(series.front()), field(series.back()), low, high);
}

ULONGLONG ProcessCreationTime() {
  FILETIME created{};
  FILETIME exited{};
  FILETIME kernel{};
  FILETIME user{};
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  return ULARGE_INTEGER{{created.dwLowDateTime, created.dwHighDateTime}}.QuadPart;
}

// Runs the message loop until `done` holds or `limit` passes; counts the thread's wake-ups.
int PumpUntil(Steady::duration limit, const std::function<bool()>& done) {
  const auto deadline = Steady::now() + limit;
  int wakes = 0;
  while (!done() && Steady::now() < deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now());
    if (::MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                    static_cast<DWORD>(std::max<long long>(left.count(), 0)),
                                    QS_ALLINPUT) == WAIT_TIMEOUT) {
      break;
    }
    ++wakes;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return wakes;
}

int g_retrieved = 0;  // messages the user-interface thread took from its queue
LRESULT CALLBACK CountRetrieved(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && wparam == PM_REMOVE) ++g_retrieved;
  return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

int Setting(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text != nullptr ? static_cast<int>(std::strtol(text, nullptr, 10)) : fallback;
}

double PrivateKib() {
  return bench::HoldingsOf(::GetCurrentProcess()).private_committed_kib;
}

int ThreadCount() {
  const win32::unique_kernel_handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
       more = ::Thread32Next(snapshot.get(), &entry)) {
    count += entry.th32OwnerProcessID == ::GetCurrentProcessId() ? 1 : 0;
  }
  return count;
}

// Committed private memory by allocation: heaps (their first region), thread stacks (those with a
// guard page) and the rest, the largest of which are listed.
void PrintWhereMemoryGoes() {
  std::vector<HANDLE> heaps(64);
  heaps.resize(::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  struct Allocation {
    double kib = 0;
    bool guarded = false;
  };
  std::map<const void*, Allocation> allocations;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* address = nullptr; ::VirtualQuery(address, &region, sizeof(region)) == sizeof(region);
       address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State != MEM_COMMIT || region.Type != MEM_PRIVATE) continue;
    Allocation& allocation = allocations[region.AllocationBase];
    allocation.kib += static_cast<double>(region.RegionSize) / 1024.0;
    allocation.guarded = allocation.guarded || (region.Protect & PAGE_GUARD) != 0;
  }
  double heap = 0;
  double stacks = 0;
  int stack_count = 0;
  std::vector<std::pair<double, const void*>> rest;
  for (const auto& [base, allocation] : allocations) {
    if (std::find(heaps.begin(), heaps.end(), base) != heaps.end()) {
      heap += allocation.kib;
    } else if (allocation.guarded) {
      stacks += allocation.kib;
      ++stack_count;
    } else {
      rest.emplace_back(allocation.kib, base);
    }
  }
  std::sort(rest.rbegin(), rest.rend());
  double rest_total = 0;
  for (const auto& [kib, base] : rest) rest_total += kib;
  std::printf(
      "  %zu heaps: %.0f KiB; %d guarded stacks (%d threads): %.0f KiB; %zu other allocations: %.0f KiB\n",
      heaps.size(), heap, stack_count, ThreadCount(), stacks, rest.size(), rest_total);
  std::printf("  largest other allocations (KiB):");
  for (std::size_t i = 0; i < std::min<std::size_t>(rest.size(), 8); ++i) std::printf(" %.0f", rest[i].first);
  std::printf("\n");
}

// The stand-in's reply to the weather request, waited for on the transfer's own signal.
double BareReply(const std::string& url) {
  win32::WinInetTransfer transfer;
  return bench::TimeOnce([&] {
    if (!transfer.Begin(url, {})) return;
    ::WaitForSingleObject(reinterpret_cast<HANDLE>(transfer.Finished().NativeHandle()), INFINITE);
    (void)transfer.TakeReply();
  });
}

}  // namespace

int wmain() {
  const ULONGLONG process_created = ProcessCreationTime();
  const double memory_at_start = PrivateKib();
  if (std::getenv("WETHRIX_API_BASE") == nullptr) {
    std::printf("WETHRIX_API_BASE is not set: start the stand-in first (bench/run.sh does)\n");
    return 1;
  }
  Stamps stamps;
  StampedTransfer inet(stamps);
  StampedLauncher launcher(stamps);
  StampedPictures pictures(stamps);
  StampedTrayShell shell(stamps);
  const test_support::TempFolder folder(u8"wethrix-refresh-bench");
  testing::Win32RefreshRig rig(folder.Utf8(), {inet, launcher, pictures, shell});
  rig.environment.overrides["WETHRIX_REQUEST_GAP_MS"] = "0";  // refreshes back to back are measured
  const double memory_before_window = PrivateKib();

  // Start-up as the program runs it: load, show, activate; the first activation refreshes.
  rig.Load();
  const double memory_after_load = PrivateKib();
  rig.window.Show();
  ::SetForegroundWindow(rig.window.Hwnd());
  PumpUntil(std::chrono::seconds(60), [&] { return shell.first_icon.has_value(); });
  if (!shell.first_icon || rig.window.Label2().find(" is unavailable") != std::string::npos) {
    std::printf("no temperature icon: %s\n", rig.window.Label2().c_str());
    return 1;
  }
  const double startup = static_cast<double>(*shell.first_icon - process_created) / 10000.0;
  std::printf("start-up: process start to the first temperature icon: %.1f ms\n", startup);
  bench::Figure("startup_in_process", startup);
  const double memory_after_refresh = PrivateKib();
  std::printf(
      "private committed memory (KiB): at wmain %.0f, rig and services made %.0f, window loaded %.0f, "
      "after the first refresh %.0f\n",
      memory_at_start, memory_before_window, memory_after_load, memory_after_refresh);
  PrintWhereMemoryGoes();
  std::printf("\n");

  std::map<std::string, std::vector<double>> phases;
  std::vector<double> whole;
  std::vector<double> shell_calls;
  for (int run = 0; run < kTimedRefreshes; ++run) {
    stamps.Clear();
    shell.in_shell_ms = 0;
    const auto start = Steady::now();
    rig.form.ListTemp(true);
    whole.push_back(Milliseconds(Steady::now() - start).count());
    shell_calls.push_back(shell.in_shell_ms);
    for (const Phase& phase : kPhases) phases[phase.name].push_back(stamps.Between(phase.from, phase.to));
  }
  std::vector<double> saves;
  for (int run = 0; run < kTimedRefreshes; ++run) {
    const auto start = Steady::now();
    rig.files.Write(rig.File("Saved.bmp"), rig.window.Picture(1).BitmapFile());
    saves.push_back(Milliseconds(Steady::now() - start).count());
  }
  std::vector<double> own_work;
  for (std::size_t run = 0; run < whole.size(); ++run) {
    own_work.push_back(whole[run] - phases[kPhases[0].name][run] - phases[kPhases[3].name][run] -
                       shell_calls[run]);
  }
  const std::string url = std::string(std::getenv("WETHRIX_API_BASE")) +
                          "/data/2.5/weather?q=%22San%20Diego%20CA%22&APPID=demo-key";
  const std::string conversion = ConverterCommandLine(rig.File("nconvert.exe"), rig.File("CurTemp.bmp"));
  std::vector<double> replies;
  std::vector<double> conversions;
  for (int run = 0; run < kTimedRefreshes; ++run) {
    replies.push_back(BareReply(url));
    conversions.push_back(bench::TimeOnce([&] { bench::RunDirectly(conversion); }));
  }
  std::printf("one refresh (ListTemp), %d runs:\n", kTimedRefreshes);
  PrintRow("whole refresh", whole);
  for (const Phase& phase : kPhases) PrintRow(phase.name, phases[phase.name]);
  PrintRow("bitmap save alone", saves);
  PrintRow("notification area's calls", shell_calls);
  PrintRow("own work (whole - 3 waits)", own_work);
  PrintRow("floor: bare reply", replies);
  PrintRow("floor: bare converter run", conversions);
  bench::Figure("refresh_whole", SpreadOf(whole).median);
  bench::Figure("refresh_own_work", SpreadOf(own_work).median);
  bench::Figure("refresh_shell_calls", SpreadOf(shell_calls).median);
  bench::Figure("reply_bare", SpreadOf(replies).median);
  bench::Figure("converter_bare_in_refresh", SpreadOf(conversions).median);

  const int memory_refreshes = Setting("WETHRIX_BENCH_REFRESHES", kDefaultMemoryRefreshes);
  const int loaded_before = pictures.loaded;
  const int released_before = pictures.released;
  std::vector<bench::Holdings> held;
  held.reserve(static_cast<std::size_t>(memory_refreshes));
  for (int run = 0; run < memory_refreshes; ++run) {
    rig.form.ListTemp(true);
    // The in-memory settings keep a record of every write for the tests; it is not the program's.
    rig.store.writes.clear();
    rig.store.writes.shrink_to_fit();
    held.push_back(bench::HoldingsOf(::GetCurrentProcess()));
  }
  bench::Figure("memory_first_of_many", held.front().private_committed_kib);
  bench::Figure("memory_last_of_many", held.back().private_committed_kib);
  bench::Figure("icons_loaded", pictures.loaded - loaded_before);
  bench::Figure("icons_released", pictures.released - released_before);
  std::printf("\nafter each of %d more refreshes (icons loaded %d, let go %d):\n", memory_refreshes,
              pictures.loaded - loaded_before, pictures.released - released_before);
  PrintGrowth("PrivateUsage (KiB)", held, [](const bench::Holdings& h) { return h.private_usage_kib; });
  PrintGrowth("private committed (KiB)", held,
              [](const bench::Holdings& h) { return h.private_committed_kib; });
  PrintGrowth("GDI objects", held,
              [](const bench::Holdings& h) { return static_cast<double>(h.gdi_objects); });
  PrintGrowth("USER objects", held,
              [](const bench::Holdings& h) { return static_cast<double>(h.user_objects); });

  // As many bare requests, each on a new connection as a refresh's is: what WinINet itself keeps
  // per request, the floor of the growth.
  const double before_bare = PrivateKib();
  for (int run = 0; run < memory_refreshes; ++run) static_cast<void>(BareReply(url));
  const double bare_growth = PrivateKib() - before_bare;
  std::printf("after %d bare requests: private committed %+.0f KiB\n", memory_refreshes, bare_growth);
  bench::Figure("memory_growth_of_bare_requests", bare_growth);

  // Idle with the refresh timer at its real period.
  const HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, CountRetrieved, nullptr, ::GetCurrentThreadId());
  const int idle_seconds = Setting("WETHRIX_BENCH_IDLE_SECONDS", 120);
  stamps.Clear();
  const int wakes = PumpUntil(std::chrono::seconds(idle_seconds), [] { return false; });
  ::UnhookWindowsHookEx(hook);
  const double minutes = idle_seconds / 60.0;
  std::printf(
      "\nidle for %d s (timer at %lld ms): %.1f wake-ups and %.1f messages retrieved per minute "
      "(a refresh ran: %s)\n",
      idle_seconds, static_cast<long long>(rig.window.Timer1().Interval().count()), wakes / minutes,
      g_retrieved / minutes, stamps.Has("query begins") ? "yes" : "no");
  bench::Figure("idle_wakeups_per_minute", wakes / minutes);
  rig.form.Form_QueryUnload();
  return 0;
}
