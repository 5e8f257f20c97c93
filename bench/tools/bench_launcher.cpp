// bench_launcher: starts a program under test in the same Wine session and measures it from
// outside, for bench/run-bench.sh.
//
//   bench_launcher measure EXE SETTLE_MS   start EXE, time it until its window shows "Ready",
//                                          read its CPU time and memory SETTLE_MS later, close it
//   bench_launcher start EXE               start EXE and wait until it shows "Ready"; it keeps
//                                          running
//   bench_launcher usage PID               CPU time and memory of a running process
//   bench_launcher close PID               close the window showing "Ready"; end the process
//                                          if it has not gone after a while
//
// Results go to stdout as one line of key=value pairs. Exit code 0 on success, 1 when the
// program did not start, show "Ready" or end in time, 2 on a usage error.

#include <windows.h>

#include <charconv>
#include <climits>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "bench/tools/owned_handle.h"
#include "bench/tools/process_usage.h"
#include "bench/tools/ready_window.h"

namespace {

using bench::OwnedHandle;

constexpr char kReadyText[] = "Ready";
// How often the windows are looked at while the program starts.
constexpr DWORD kPollIntervalMs = 1;
constexpr double kReadyTimeoutMs = 60000;
constexpr UINT kAnswerTimeoutMs = 10000;
constexpr DWORD kCloseTimeoutMs = 10000;
constexpr int kMaxSettleMs = 600000;
constexpr SIZE_T kBytesPerKib = 1024;
constexpr int kUsageError = 2;

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double ElapsedMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_;
  LARGE_INTEGER start_;
};

struct Started {
  OwnedHandle process;
  DWORD id = 0;
  HWND window = nullptr;
  double ready_ms = 0;
};

std::optional<int> ParseBounded(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

// Starts `exe` and waits until one of its windows shows "Ready"; the clock runs from just
// before the process is created.
std::optional<Started> StartAndWaitReady(const std::string& exe) {
  std::string command_line = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION created{};
  const Stopwatch clock;
  if (!CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &created)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
    return std::nullopt;
  }
  OwnedHandle thread(created.hThread);
  Started started{OwnedHandle(created.hProcess), created.dwProcessId, nullptr, 0};
  for (;;) {
    started.window = bench::FindWindowShowing(started.id, kReadyText);
    if (started.window != nullptr) break;
    // Waiting on the process doubles as the pause between looks.
    if (WaitForSingleObject(started.process.get(), kPollIntervalMs) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "%s ended before showing \"%s\"\n", exe.c_str(), kReadyText);
      return std::nullopt;
    }
    if (clock.ElapsedMs() > kReadyTimeoutMs) {
      std::fprintf(stderr, "%s did not show \"%s\" in time\n", exe.c_str(), kReadyText);
      return std::nullopt;
    }
  }
  started.ready_ms = clock.ElapsedMs();
  return started;
}

void PrintUsage(HANDLE process) {
  const auto usage = bench::QueryUsage(process);
  if (!usage) {
    std::printf(" cpu_ms=? peak_ws_kib=? ws_kib=? private_kib=?");
    return;
  }
  std::printf(" cpu_ms=%.1f peak_ws_kib=%lu ws_kib=%lu private_kib=%lu", usage->cpu_ms,
              static_cast<unsigned long>(usage->peak_working_set / kBytesPerKib),
              static_cast<unsigned long>(usage->working_set / kBytesPerKib),
              static_cast<unsigned long>(usage->private_bytes / kBytesPerKib));
}

// Asks the window to close as its close box would, and ends the process if it stays.
bool Close(HANDLE process, HWND window) {
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process, kCloseTimeoutMs) == WAIT_OBJECT_0) return true;
  std::fprintf(stderr, "the program did not end on its own; ending it\n");
  TerminateProcess(process, 1);
  WaitForSingleObject(process, kCloseTimeoutMs);
  return false;
}

int Measure(const std::string& exe, int settle_ms) {
  auto started = StartAndWaitReady(exe);
  if (!started) return 1;
  // When the program next takes a message: start-up has finished and it is in its loop.
  const Stopwatch since_ready;
  const bool answered = SendMessageTimeoutA(started->window, WM_NULL, 0, 0, SMTO_NORMAL,
                                            kAnswerTimeoutMs, nullptr) != 0;
  const double answered_ms = started->ready_ms + since_ready.ElapsedMs();
  Sleep(static_cast<DWORD>(settle_ms));
  std::printf("ready_ms=%.1f", started->ready_ms);
  if (answered) {
    std::printf(" answered_ms=%.1f", answered_ms);
  } else {
    std::printf(" answered_ms=?");
  }
  PrintUsage(started->process.get());
  std::printf(" pid=%lu\n", static_cast<unsigned long>(started->id));
  std::fflush(stdout);
  return Close(started->process.get(), started->window) && answered ? 0 : 1;
}

int Start(const std::string& exe) {
  const auto started = StartAndWaitReady(exe);
  if (!started) return 1;
  std::printf("ready_ms=%.1f pid=%lu\n", started->ready_ms,
              static_cast<unsigned long>(started->id));
  return 0;
}

OwnedHandle OpenById(const std::string& id_text, DWORD access, DWORD& id) {
  const auto parsed = ParseBounded(id_text, 1, INT_MAX);
  if (!parsed) return nullptr;
  id = static_cast<DWORD>(*parsed);
  return OwnedHandle(OpenProcess(access, FALSE, id));
}

int Usage(const std::string& id_text) {
  DWORD id = 0;
  const OwnedHandle process = OpenById(id_text, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, id);
  if (!process) return 1;
  std::printf("pid=%lu", static_cast<unsigned long>(id));
  PrintUsage(process.get());
  std::printf("\n");
  return 0;
}

int CloseById(const std::string& id_text) {
  DWORD id = 0;
  const OwnedHandle process = OpenById(id_text, SYNCHRONIZE | PROCESS_TERMINATE, id);
  if (!process) return 1;
  return Close(process.get(), bench::FindWindowShowing(id, kReadyText)) ? 0 : 1;
}

int PrintHelp() {
  std::fprintf(stderr,
               "usage: bench_launcher measure EXE SETTLE_MS | start EXE | usage PID | "
               "close PID\n");
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return PrintHelp();
  const std::string command = argv[1];
  if (command == "measure" && argc == 4) {
    const auto settle_ms = ParseBounded(argv[3], 0, kMaxSettleMs);
    if (!settle_ms) return PrintHelp();
    return Measure(argv[2], *settle_ms);
  }
  if (argc != 3) return PrintHelp();
  if (command == "start") return Start(argv[2]);
  if (command == "usage") return Usage(argv[2]);
  if (command == "close") return CloseById(argv[2]);
  return PrintHelp();
}
