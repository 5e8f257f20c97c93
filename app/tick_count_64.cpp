// The static thread library (libwinpthread) times its waits with GetTickCount64, which Windows
// XP lacks: importing it would make the loader refuse to start the program there. This file
// fills the import's slot itself, so the linker takes it instead of kernel32's: the call goes
// to kernel32's own GetTickCount64 where Windows has one (Vista and later), and elsewhere to the
// 32-bit GetTickCount, whose wrap after 49.7 days can only cut one timed wait short.

#include <windows.h>

#include "platform/win32/system_library.h"

namespace {

ULONGLONG WINAPI TickCount64() {
  // Looked up at every call: a cached pointer would need a guarded static, and the guard itself
  // waits through the thread library.
  const auto newer = ventrix::win32::FindExport<decltype(::GetTickCount64)>(
      GetModuleHandleA("kernel32.dll"), "GetTickCount64");
  return newer != nullptr ? newer() : GetTickCount();
}

}  // namespace

// The slot's linker name, which no C++ name can spell (i686 names carry the stdcall suffix).
#if defined(__i386__)
#define VENTRIX_TICK_COUNT_64_SLOT "__imp__GetTickCount64@0"
#else
#define VENTRIX_TICK_COUNT_64_SLOT "__imp_GetTickCount64"
#endif
extern "C" {
extern decltype(&::GetTickCount64) tick_count_64_slot __asm__(VENTRIX_TICK_COUNT_64_SLOT);
decltype(&::GetTickCount64) tick_count_64_slot = &TickCount64;
}
