// System DLLs loaded on demand: only bare names, only from the system directory; and a choice
// between functions found at run time.

#include "platform/win32/system_library.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "platform/win32/message_filter_win32.h"

namespace ventrix::win32 {
namespace {

std::string SystemDirectory() {
  std::array<char, MAX_PATH> directory{};
  const UINT length = GetSystemDirectoryA(directory.data(), static_cast<UINT>(directory.size()));
  return std::string(directory.data(), length);
}

std::string ModulePath(HMODULE module) {
  std::array<char, MAX_PATH> path{};
  const DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
  return std::string(path.data(), length);
}

std::string Lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

TEST(SystemLibrary, LoadsASystemDllAndFindsItsFunctions) {
  const auto library = SystemLibrary::Load("version.dll");
  ASSERT_TRUE(library.has_value());
  EXPECT_EQ(Lower(ModulePath(library->module())), Lower(SystemDirectory() + "\\version.dll"));
  const auto size_of =
      library->Find<decltype(::GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA");
  ASSERT_NE(size_of, nullptr);
  DWORD handle = 0;
  EXPECT_EQ(size_of("Z:\\no\\such\\file.dll", &handle), 0u);
  decltype(&::GetFileVersionInfoSizeA) bound = nullptr;
  EXPECT_TRUE(library->Bind("GetFileVersionInfoSizeA", bound));
  EXPECT_EQ(bound, size_of);
  EXPECT_FALSE(library->Bind("NoSuchExport", bound));
  EXPECT_EQ(bound, nullptr);
}

TEST(SystemLibrary, RefusesAnythingButABareFileName) {
  const std::string system = SystemDirectory();
  for (const std::string& name :
       {std::string(), system + "\\version.dll", std::string("..\\system32\\version.dll"),
        std::string("system32/version.dll"), std::string("c:version.dll"),
        std::string("ventrix_missing.dll")}) {
    EXPECT_FALSE(SystemLibrary::Load(name).has_value()) << name;
  }
}

// Copies of a system DLL under names of the longest accepted length and one longer.
TEST(SystemLibrary, FileNamesAreBoundedInLength) {
  const std::string system = SystemDirectory();
  const std::string longest = std::string(SystemLibrary::kMaxFileName - 4, 'v') + ".dll";
  const std::string too_long = "v" + longest;
  for (const std::string& name : {longest, too_long}) {
    ASSERT_TRUE(
        CopyFileA((system + "\\version.dll").c_str(), (system + "\\" + name).c_str(), FALSE));
  }
  EXPECT_TRUE(SystemLibrary::Load(longest).has_value());
  EXPECT_FALSE(SystemLibrary::Load(too_long).has_value());
  for (const std::string& name : {longest, too_long}) DeleteFileA((system + "\\" + name).c_str());
}

// A DLL of the same name in the program's folder is found first by a bare-name load; the
// system directory's is what gets loaded here, and a name only the program's folder holds
// loads nothing.
TEST(SystemLibrary, IgnoresACopyPlantedInTheProgramFolder) {
  std::array<char, MAX_PATH> exe{};
  ASSERT_NE(GetModuleFileNameA(nullptr, exe.data(), static_cast<DWORD>(exe.size())), 0u);
  std::string folder(exe.data());
  folder.erase(folder.find_last_of('\\') + 1);
  const std::string planted_name = "ventrix_planted.dll";
  const std::string planted = folder + planted_name;
  ASSERT_TRUE(CopyFileA((SystemDirectory() + "\\version.dll").c_str(), planted.c_str(), FALSE));

  HMODULE by_bare_name = LoadLibraryA(planted_name.c_str());
  const bool plant_works = by_bare_name != nullptr;
  if (by_bare_name != nullptr) FreeLibrary(by_bare_name);
  EXPECT_FALSE(SystemLibrary::Load(planted_name).has_value());
  DeleteFileA(planted.c_str());
  // Without this the case above would prove nothing.
  EXPECT_TRUE(plant_works) << "a bare-name load did not find the planted copy";
}

// The messages each of the two message filter functions was asked to let through.
std::vector<UINT> g_for_window;
std::vector<UINT> g_for_process;
BOOL WINAPI RecordForWindow(HWND, UINT message, DWORD action, void*) {
  if (action == kAllowForWindow) g_for_window.push_back(message);
  return TRUE;
}
BOOL WINAPI RecordForProcess(UINT message, DWORD flag) {
  if (flag == kAddForProcess) g_for_process.push_back(message);
  return TRUE;
}

// An elevated instance lets the same messages through on every release with User Account
// Control: through Windows 7's function for its window, or Vista's for the process where that
// is the only one. Wine has both, so the program under Wine takes Windows 7's road (scenario 45).
TEST(MessageFilter, VistaLetsTheSameMessagesThroughForTheProcess) {
  const HWND window = GetDesktopWindow();
  const std::vector<UINT> messages{WM_COPYDATA, WM_APP + 3};
  const decltype(&RecordForWindow) no_window_function = nullptr;
  const decltype(&RecordForProcess) no_process_function = nullptr;

  LetThrough(&RecordForWindow, &RecordForProcess, window, {WM_COPYDATA, WM_APP + 3});
  EXPECT_EQ(g_for_window, messages);
  EXPECT_TRUE(g_for_process.empty());

  g_for_window.clear();
  LetThrough(no_window_function, &RecordForProcess, window, {WM_COPYDATA, WM_APP + 3});
  EXPECT_EQ(g_for_process, messages);
  EXPECT_TRUE(g_for_window.empty());

  // Before Vista there is neither, and nothing to let through.
  g_for_process.clear();
  LetThrough(no_window_function, no_process_function, window, {WM_COPYDATA});
  EXPECT_TRUE(g_for_window.empty() && g_for_process.empty());
}

}  // namespace
}  // namespace ventrix::win32
