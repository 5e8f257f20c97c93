#pragma once
// CPU time and memory of a running process, as Windows reports them.

#include <windows.h>

#include <optional>

namespace bench {

struct ProcessUsage {
  double cpu_ms = 0;  // user + kernel time
  SIZE_T peak_working_set = 0;
  SIZE_T working_set = 0;
  SIZE_T private_bytes = 0;
};

// Nothing when the process cannot be queried.
std::optional<ProcessUsage> QueryUsage(HANDLE process);

}  // namespace bench
