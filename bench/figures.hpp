#pragma once
// What the benchmarks share: medians, runs waited for by the system itself, the process's CPU
// time, and the figure lines bench/run.sh gathers into its table.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::bench {

using Milliseconds = std::chrono::duration<double, std::milli>;

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return (values[(values.size() - 1) / 2] + values[values.size() / 2]) / 2;
}

template <typename Action>
double TimeOnce(Action action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  return Milliseconds(std::chrono::steady_clock::now() - start).count();
}

// One line of bench/run.sh's table: "@ name value".
inline void Figure(const char* name, double value) {
  std::printf("@ %s %.1f\n", name, value);
}

// Launch to exit of a hidden process, waited for on its handle: the floor of any launch-and-wait.
inline void RunDirectly(const std::string& command_line) {
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

// User and kernel time of this process so far.
inline double ProcessCpuMilliseconds() {
  FILETIME created{};
  FILETIME exited{};
  FILETIME kernel{};
  FILETIME user{};
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& time) {
    return ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// The program's folder (bench programs sit in build/windows/bench).
inline std::string BesideMe(const char* name) {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return win32::Narrow(folder) + name;
}

}  // namespace wethrix::bench
