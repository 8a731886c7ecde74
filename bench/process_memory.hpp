#pragma once
// What a process holds, for the memory figures of the benchmarks. Wine leaves PrivateUsage at 0,
// so the committed private pages are also counted region by region, which is what Windows
// reports as PrivateUsage.
#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

namespace wethrix::bench {

struct Holdings {
  double private_usage_kib = 0;
  double private_committed_kib = 0;
  DWORD gdi_objects = 0;
  DWORD user_objects = 0;
};

// `process` needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ.
inline double PrivateCommittedKilobytes(HANDLE process) {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* address = nullptr;
       ::VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region);
       address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  }
  return static_cast<double>(total) / 1024.0;
}

inline Holdings HoldingsOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
  return {static_cast<double>(counters.PrivateUsage) / 1024.0, PrivateCommittedKilobytes(process),
          ::GetGuiResources(process, GR_GDIOBJECTS), ::GetGuiResources(process, GR_USEROBJECTS)};
}

}  // namespace wethrix::bench
