#include "bench/tools/process_usage.h"

// psapi.h needs the types of windows.h first.
#include <psapi.h>

namespace bench {
namespace {

// FILETIME counts 100 ns units.
constexpr double kFileTimeUnitsPerMs = 10000.0;

double Milliseconds(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / kFileTimeUnitsPerMs;
}

}  // namespace

std::optional<ProcessUsage> QueryUsage(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  if (!GetProcessMemoryInfo(process, &memory, sizeof(memory))) return std::nullopt;
  ProcessUsage usage;
  usage.cpu_ms = Milliseconds(kernel) + Milliseconds(user);
  usage.peak_working_set = memory.PeakWorkingSetSize;
  usage.working_set = memory.WorkingSetSize;
  usage.private_bytes = memory.PagefileUsage;
  return usage;
}

}  // namespace bench
