#pragma once
// Raw registry helpers for the Windows-tier tests: unique per-run key names, direct reads and
// writes that bypass the code under test, and removal of the keys a test created.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/registry_key.h"

namespace ventrix::win32::testing {

// A registry key name is at most 255 characters; one more for its NUL.
inline constexpr DWORD kKeyNameBufferSize = 256;

// A name no other run of the tests uses at the same time.
inline std::string UniqueName(const std::string& prefix) {
  return prefix + " " + std::to_string(GetCurrentProcessId()) + " " +
         std::to_string(GetTickCount());
}

// Removes key_path under root with all its subkeys; a missing key is fine.
inline void DeleteKeyTree(HKEY root, const std::string& key_path) {
  UniqueHkey key;
  if (RegOpenKeyExA(root, key_path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS) {
    std::vector<std::string> children;
    char name[kKeyNameBufferSize];
    DWORD length = kKeyNameBufferSize;
    for (DWORD index = 0; RegEnumKeyExA(key.Get(), index, name, &length, nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS;
         ++index, length = kKeyNameBufferSize) {
      children.emplace_back(name, length);
    }
    key.Reset();
    for (const std::string& child : children) DeleteKeyTree(root, key_path + "\\" + child);
  } else {
    key.Release();
  }
  RegDeleteKeyA(root, key_path.c_str());
}

inline bool SetRawValue(HKEY root, const std::string& key_path, const std::string& name, DWORD type,
                        const void* data, DWORD size) {
  UniqueHkey key;
  if (RegCreateKeyExA(root, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, key.Receive(), nullptr) != ERROR_SUCCESS) {
    key.Release();
    return false;
  }
  return RegSetValueExA(key.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

struct RawValue {
  LONG result = ERROR_FILE_NOT_FOUND;
  DWORD type = REG_NONE;
  std::string data;  // exactly the bytes stored, terminator included
};

inline RawValue GetRawValue(HKEY root, const std::string& key_path, const std::string& name) {
  RawValue value;
  UniqueHkey key;
  value.result = RegOpenKeyExA(root, key_path.c_str(), 0, KEY_QUERY_VALUE, key.Receive());
  if (value.result != ERROR_SUCCESS) {
    key.Release();
    return value;
  }
  DWORD size = 0;
  value.result = RegQueryValueExA(key.Get(), name.c_str(), nullptr, &value.type, nullptr, &size);
  if (value.result != ERROR_SUCCESS) return value;
  value.data.assign(size, '\0');
  value.result = RegQueryValueExA(key.Get(), name.c_str(), nullptr, &value.type,
                                  reinterpret_cast<BYTE*>(value.data.data()), &size);
  value.data.resize(size);
  return value;
}

inline bool KeyExists(HKEY root, const std::string& key_path) {
  UniqueHkey key;
  const bool exists =
      RegOpenKeyExA(root, key_path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
  if (!exists) key.Release();
  return exists;
}

}  // namespace ventrix::win32::testing
