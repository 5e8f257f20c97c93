#pragma once
// Raw registry access (RegOpenKeyExA / RegQueryValueExA / RegCloseKey).

#include <cstdint>
#include <span>
#include <string>

namespace ventrix {

using RegistryKey = std::uintptr_t;
inline constexpr RegistryKey kHkeyLocalMachine = 0x80000002u;
inline constexpr std::int32_t kRegistrySuccess = 0;  // ERROR_SUCCESS
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

class Registry {
 public:
  virtual ~Registry() = default;
  virtual std::int32_t OpenKeyEx(RegistryKey root, const std::string& path, std::uint32_t options,
                                 std::uint32_t access, RegistryKey& opened) = 0;
  // Reads at most buffer.size() bytes; size receives the data size the platform reports.
  virtual std::int32_t QueryValueEx(RegistryKey key, const std::string& value_name,
                                    std::uint32_t& type, std::span<char> buffer,
                                    std::uint32_t& size) = 0;
  virtual std::int32_t CloseKey(RegistryKey key) = 0;
};

}  // namespace ventrix
