#include "platform/win32/dll_search_win32.h"

#include <windows.h>

#include "platform/win32/system_library.h"

namespace ventrix::win32 {

namespace {

// This file sees the newest SDK declarations (see its CMakeLists.txt), so each type is the SDK's.
using SetDefaultDllDirectoriesFunction = decltype(::SetDefaultDllDirectories);
using SetDllDirectoryFunction = decltype(::SetDllDirectoryA);

}  // namespace

// https://learn.microsoft.com/windows/win32/api/libloaderapi/nf-libloaderapi-setdefaultdlldirectories
// Both functions are looked up at run time so that releases without them still start.
DllSearch HardenDllSearch() {
  // kernel32 is a static import, so it is loaded already and this loads nothing.
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto set_default_directories =
      FindExport<SetDefaultDllDirectoriesFunction>(kernel, "SetDefaultDllDirectories");
  if (set_default_directories != nullptr && set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    return DllSearch::kSystemDirectoryOnly;
  }
  const auto set_dll_directory = FindExport<SetDllDirectoryFunction>(kernel, "SetDllDirectoryA");
  if (set_dll_directory != nullptr && set_dll_directory("")) {
    return DllSearch::kCurrentDirectoryRemoved;
  }
  return DllSearch::kUnchanged;
}

}  // namespace ventrix::win32
