#pragma once
// Registry on RegOpenKeyExA / RegQueryValueExA / RegCloseKey. A RegistryKey is the HKEY value.

#include <set>

#include "platform/registry.h"

namespace ventrix::win32 {

class Win32Registry : public Registry {
 public:
  Win32Registry() = default;
  // Closes any key opened here and never closed by its caller.
  ~Win32Registry() override;
  Win32Registry(const Win32Registry&) = delete;
  Win32Registry& operator=(const Win32Registry&) = delete;

  // opened receives the new key, or 0 when the call fails.
  std::int32_t OpenKeyEx(RegistryKey root, const std::string& path, std::uint32_t options,
                         std::uint32_t access, RegistryKey& opened) override;
  // On ERROR_MORE_DATA size receives the size the value needs; the buffer is then unspecified.
  std::int32_t QueryValueEx(RegistryKey key, const std::string& value_name, std::uint32_t& type,
                            std::span<char> buffer, std::uint32_t& size) override;
  // Closes only keys opened here, once; any other value answers ERROR_INVALID_HANDLE.
  std::int32_t CloseKey(RegistryKey key) override;

 private:
  std::set<RegistryKey> open_keys_;
};

}  // namespace ventrix::win32
