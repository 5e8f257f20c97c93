#include "platform/win32/programs_win32.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handles_win32.h"

namespace ventrix::win32 {
namespace {

// A path the ANSI calls take whole: non-empty, within MAX_PATH, no NUL, and no quote (which no
// file name holds and which would break the quoted command line).
bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.size() <= kMaxProgramPathLength &&
         path.find_first_of(std::string("\0\"", 2)) == std::string::npos;
}

constexpr std::int32_t kLowestShowCommand = SW_HIDE;
constexpr std::int32_t kHighestShowCommand = SW_MAX;

}  // namespace

bool Win32ProgramLauncher::FileExists(const std::string& path) {
  if (!IsUsablePath(path)) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  constexpr DWORD kNotAPlainFile =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotAPlainFile) == 0;
}

KernelHandle StartProcess(const wchar_t* path, std::optional<WORD> show, const wchar_t* folder) {
  // Quoted, so a path with spaces names one program; CreateProcessW may write into the buffer.
  std::vector<wchar_t> command_line(1, L'"');
  for (const wchar_t* at = path; *at != L'\0'; ++at) command_line.push_back(*at);
  command_line.insert(command_line.end(), {L'"', L'\0'});
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (show) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *show;
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, &process)) {
    return nullptr;
  }
  const KernelHandle thread(process.hThread);
  return KernelHandle(process.hProcess);
}

bool Win32ProgramLauncher::Start(const std::string& path, std::int32_t show) {
  if (!IsUsablePath(path) || show < kLowestShowCommand || show > kHighestShowCommand) return false;
  // The program runs on its own; nothing waits for it or keeps its handles.
  // A usable path is within MAX_PATH, so it fits; the ANSI code page is the one it was read in.
  wchar_t wide[MAX_PATH] = {};
  if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0) return false;
  return StartProcess(wide, static_cast<WORD>(show)) != nullptr;
}

}  // namespace ventrix::win32
