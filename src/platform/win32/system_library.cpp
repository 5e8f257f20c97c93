#include "platform/win32/system_library.h"

#include <array>

namespace ventrix::win32 {

// https://learn.microsoft.com/windows/win32/dlls/dynamic-link-library-security
std::optional<SystemLibrary> SystemLibrary::Load(const std::string& file_name) {
  if (file_name.empty() || file_name.size() > kMaxFileName ||
      file_name.find_first_of("\\/:") != std::string::npos) {
    return std::nullopt;
  }
  std::array<char, MAX_PATH> directory{};
  const UINT length = GetSystemDirectoryA(directory.data(), static_cast<UINT>(directory.size()));
  if (length == 0 || length >= directory.size()) return std::nullopt;
  std::string path(directory.data(), length);
  if (path.back() != '\\') path += '\\';
  path += file_name;
  if (path.size() >= MAX_PATH) return std::nullopt;
  // The DLL's own imports come from the system directory only. Releases without that flag
  // (before the loader update of Vista and 7) refuse it, and there the altered search order of
  // a full path looks for them in the DLL's folder first.
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) {
    module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  if (module == nullptr) return std::nullopt;
  return SystemLibrary(module);
}

}  // namespace ventrix::win32
