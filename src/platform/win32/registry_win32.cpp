#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace ventrix::win32 {
namespace {

HKEY ToHkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

bool HasNul(const std::string& text) { return text.find('\0') != std::string::npos; }

}  // namespace

Win32Registry::~Win32Registry() {
  for (const RegistryKey key : open_keys_) RegCloseKey(ToHkey(key));
}

std::int32_t Win32Registry::OpenKeyEx(RegistryKey root, const std::string& path,
                                      std::uint32_t options, std::uint32_t access,
                                      RegistryKey& opened) {
  opened = 0;
  // The ANSI call would see a name with a NUL cut short and open some other key.
  if (HasNul(path)) return ERROR_INVALID_PARAMETER;
  HKEY key = nullptr;
  const LONG result = RegOpenKeyExA(ToHkey(root), path.c_str(), options, access, &key);
  if (result != ERROR_SUCCESS || key == nullptr) return result;
  opened = reinterpret_cast<RegistryKey>(key);
  open_keys_.insert(opened);
  return result;
}

std::int32_t Win32Registry::QueryValueEx(RegistryKey key, const std::string& value_name,
                                         std::uint32_t& type, std::span<char> buffer,
                                         std::uint32_t& size) {
  type = REG_NONE;
  size = 0;
  if (HasNul(value_name)) return ERROR_INVALID_PARAMETER;
  DWORD value_type = REG_NONE;
  // The platform takes a 32-bit size; a larger buffer is offered only in part.
  DWORD data_size =
      static_cast<DWORD>(std::min<std::size_t>(buffer.size(), std::numeric_limits<DWORD>::max()));
  BYTE* data = data_size == 0 ? nullptr : reinterpret_cast<BYTE*>(buffer.data());
  const LONG result =
      RegQueryValueExA(ToHkey(key), value_name.c_str(), nullptr, &value_type, data, &data_size);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    type = value_type;
    size = data_size;
  }
  // With no buffer the platform answers success and the size; the caller asked for data.
  if (result == ERROR_SUCCESS && data == nullptr && data_size > 0) return ERROR_MORE_DATA;
  return result;
}

std::int32_t Win32Registry::CloseKey(RegistryKey key) {
  if (open_keys_.erase(key) == 0) return ERROR_INVALID_HANDLE;
  return RegCloseKey(ToHkey(key));
}

}  // namespace ventrix::win32
