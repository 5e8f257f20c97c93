#pragma once
// Keeps DLLs that the process loads by bare name (its own loads, and those that system DLLs make
// on its behalf: multimedia drivers, the web library's helpers, theming) to the system
// directory, so a same-named DLL planted beside ventrix.exe or in the current directory is
// never loaded. Called once, first thing in WinMain, before any library is loaded by name.

namespace ventrix::win32 {

enum class DllSearch {
  // SetDefaultDllDirectories: only the system directory is searched (Windows 8 and later,
  // Vista and 7 with the loader update).
  kSystemDirectoryOnly,
  // SetDllDirectoryA(""): the current directory is no longer searched; the program's folder
  // still is (XP SP1 and later without the loader update).
  kCurrentDirectoryRemoved,
  // Neither call exists (Windows 98/Me, XP before SP1): the search stays as the loader has it.
  kUnchanged,
};

DllSearch HardenDllSearch();

}  // namespace ventrix::win32
