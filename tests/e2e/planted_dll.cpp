// A DLL planted beside ventrix.exe under the name of a system DLL. Whoever loads it leaves a
// marker file beside it, "<its own path>.loaded", so a test can tell whether the program's
// DLL search ever reached the program's folder or the current directory.

#include <windows.h>

#include <array>

namespace {

constexpr char kMarkerSuffix[] = ".loaded";

void LeaveMarker(HMODULE self) {
  std::array<char, MAX_PATH> path{};
  const DWORD length = GetModuleFileNameA(self, path.data(), MAX_PATH);
  if (length == 0 || length + sizeof(kMarkerSuffix) > path.size()) return;
  lstrcatA(path.data(), kMarkerSuffix);
  HANDLE marker = CreateFileA(path.data(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) LeaveMarker(self);
  return TRUE;
}
