#include "tests/e2e/e2e_counts.h"

#include <windows.h>

#include <cstdint>

namespace ventrix::e2e {

namespace {

// Kernel handles are multiples of 4. Wine hands out the lowest free slot, so past the last
// handle in use there are only free slots: a long enough run of them ends the probe.
constexpr std::uintptr_t kKernelHandleStep = 4;
constexpr std::uintptr_t kKernelMissesToStop = 1024;
constexpr std::uintptr_t kKernelHandleLimit = std::uintptr_t{1} << 24;
// GDI handles carry their table index in the low 16 bits; Wine accepts an index with a zero
// upper half as the object at that index, whatever its generation.
constexpr std::uintptr_t kGdiIndexLimit = 0x10000;
// USER handles (Wine's layout): even values from 0x20 to 0xffef, generation in the upper half,
// which may likewise be left zero.
constexpr std::uintptr_t kFirstUserHandle = 0x20;
constexpr std::uintptr_t kLastUserHandle = 0xffef;
constexpr std::uintptr_t kUserHandleStep = 2;

using CursorFrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);

template <class Handle>
Handle HandleValue(std::uintptr_t value) {
  return reinterpret_cast<Handle>(value);
}

long ProbeKernelHandles() {
  long count = 0;
  std::uintptr_t misses = 0;
  for (std::uintptr_t value = kKernelHandleStep;
       value < kKernelHandleLimit && misses < kKernelMissesToStop; value += kKernelHandleStep) {
    DWORD flags = 0;
    if (GetHandleInformation(HandleValue<HANDLE>(value), &flags)) {
      ++count;
      misses = 0;
    } else {
      ++misses;
    }
  }
  return count;
}

long ProbeGdiObjects() {
  long count = 0;
  for (std::uintptr_t index = 1; index < kGdiIndexLimit; ++index) {
    if (GetObjectType(HandleValue<HGDIOBJ>(index)) != 0) ++count;
  }
  return count;
}

template <class Test>
long ProbeUserHandles(Test test) {
  long count = 0;
  for (std::uintptr_t value = kFirstUserHandle; value <= kLastUserHandle;
       value += kUserHandleStep) {
    if (test(value)) ++count;
  }
  return count;
}

struct WindowTally {
  DWORD process = 0;
  long count = 0;
};

BOOL CALLBACK TallyChild(HWND, LPARAM context) {
  ++reinterpret_cast<WindowTally*>(context)->count;
  return TRUE;
}

BOOL CALLBACK TallyTopLevel(HWND window, LPARAM context) {
  auto* tally = reinterpret_cast<WindowTally*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != tally->process) return TRUE;
  ++tally->count;
  EnumChildWindows(window, TallyChild, context);
  return TRUE;
}

// Top-level windows with all their descendants, and message-only windows.
long CountWindows() {
  WindowTally tally{GetCurrentProcessId(), 0};
  EnumWindows(TallyTopLevel, reinterpret_cast<LPARAM>(&tally));
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
       window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
    TallyTopLevel(window, reinterpret_cast<LPARAM>(&tally));
  }
  return tally.count;
}

// Menus, cursors and icons, accelerator tables: Wine answers these from the process's own
// handle table, so only this process's objects are found.
std::vector<ObjectCount> ProbeUserObjects() {
  std::vector<ObjectCount> parts;
  parts.push_back({"user.windows", CountWindows(), "EnumWindows/EnumChildWindows, own process"});
  parts.push_back({"user.menus", ProbeUserHandles([](std::uintptr_t value) {
                     return IsMenu(HandleValue<HMENU>(value)) != FALSE;
                   }),
                   "IsMenu over the USER handle values"});
  const auto frame_info = reinterpret_cast<CursorFrameInfo>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetCursorFrameInfo")));
  if (frame_info != nullptr) {
    parts.push_back({"user.icons", ProbeUserHandles([frame_info](std::uintptr_t value) {
                       DWORD rate = 0;
                       DWORD steps = 0;
                       return frame_info(HandleValue<HCURSOR>(value), 0, 0, &rate, &steps) !=
                              nullptr;
                     }),
                     "GetCursorFrameInfo over the USER handle values"});
  }
  parts.push_back({"user.accelerators", ProbeUserHandles([](std::uintptr_t value) {
                     return CopyAcceleratorTableA(HandleValue<HACCEL>(value), nullptr, 0) > 0;
                   }),
                   "CopyAcceleratorTable over the USER handle values"});
  return parts;
}

}  // namespace

std::vector<ObjectCount> CountObjects() {
  std::vector<ObjectCount> counts;
  HANDLE self = GetCurrentProcess();

  DWORD handles = 0;
  if (GetProcessHandleCount(self, &handles) && handles != 0) {
    counts.push_back({"handles", static_cast<long>(handles), "GetProcessHandleCount"});
  } else {
    counts.push_back(
        {"handles", ProbeKernelHandles(), "GetHandleInformation over the handle values"});
  }

  if (const DWORD gdi = GetGuiResources(self, GR_GDIOBJECTS); gdi != 0) {
    counts.push_back({"gdi", static_cast<long>(gdi), "GetGuiResources"});
  } else {
    counts.push_back({"gdi", ProbeGdiObjects(), "GetObjectType over the GDI handle indices"});
  }

  if (const DWORD user = GetGuiResources(self, GR_USEROBJECTS); user != 0) {
    counts.push_back({"user", static_cast<long>(user), "GetGuiResources"});
  } else {
    std::vector<ObjectCount> parts = ProbeUserObjects();
    long total = 0;
    for (const ObjectCount& part : parts) total += part.value;
    counts.push_back({"user", total, "sum of the user.* probes"});
    counts.insert(counts.end(), parts.begin(), parts.end());
  }
  return counts;
}

}  // namespace ventrix::e2e
