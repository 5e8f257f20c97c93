#include "about/sys_info.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace ventrix::sys_info {

namespace {

constexpr std::uint32_t kNoOptions = 0;
constexpr std::size_t kDwordBytes = 4;
constexpr unsigned kBitsPerByte = 8;
constexpr unsigned kBitsPerHexDigit = 4;
constexpr std::uint32_t kHexDigitMask = 0xF;
constexpr const char* kHexDigits = "0123456789ABCDEF";

// Little-endian value of the first bytes (at most four) of the data.
std::uint32_t DwordFrom(const std::vector<char>& data, std::size_t size) {
  std::uint32_t value = 0;
  const std::size_t count = std::min(size, kDwordBytes);
  for (std::size_t i = count; i-- > 0;) {
    value = (value << kBitsPerByte) | static_cast<unsigned char>(data[i]);
  }
  return value;
}

}  // namespace

std::string DwordText(std::uint32_t value) {
  std::string digits;
  do {
    digits.insert(digits.begin(), kHexDigits[value & kHexDigitMask]);
    value >>= kBitsPerHexDigit;
  } while (value != 0);
  return "&h" + digits;
}

bool GetKeyValue(Registry& registry, RegistryKey& KeyRoot, std::string& KeyName,
                 std::string& SubKeyRef, std::string& KeyVal) {
  RegistryKey key = 0;
  if (registry.OpenKeyEx(KeyRoot, KeyName, kNoOptions, kKeyRead, key) != kRegistrySuccess) {
    KeyVal.clear();
    return false;
  }

  std::vector<char> buffer(kValueBufferSize, '\0');
  std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
  std::uint32_t type = 0;
  bool result = false;
  // A value too long for the buffer is reported as a failure (ERROR_MORE_DATA): a cut path
  // would start the wrong program.
  if (registry.QueryValueEx(key, SubKeyRef, type, buffer, size) != kRegistrySuccess) {
    KeyVal.clear();
  } else {
    // Never trust the reported size beyond the buffer; a missing terminator is fine.
    const std::size_t length = std::min<std::size_t>(size, buffer.size());
    if (type == kRegSz) {
      // The text ends at its first NUL: data stored with more than one terminator, or with bytes
      // after it, would otherwise give a path that no platform call takes as it stands.
      const std::string_view text(buffer.data(), length);
      KeyVal = std::string(text.substr(0, text.find('\0')));
    } else if (type == kRegDword) {
      KeyVal = DwordText(DwordFrom(buffer, length));
    }
    result = true;
  }
  registry.CloseKey(key);
  return result;
}

bool StartSystemInformation(Registry& registry, ProgramLauncher& programs) {
  RegistryKey root = kHkeyLocalMachine;
  std::string key_name = kPathKey;
  std::string value_name = kPathValue;
  std::string path;
  if (!GetKeyValue(registry, root, key_name, value_name, path)) {
    key_name = kLocationKey;
    value_name = kLocationValue;
    if (!GetKeyValue(registry, root, key_name, value_name, path)) return false;
    // No folder (an empty text, or a value of another type) is not the current drive's root.
    if (path.empty()) return false;
    const std::string tool = path + kToolFile;
    if (!programs.FileExists(tool)) return false;
    path = tool;
  }
  // A key whose value was of another type leaves no path: nothing to start.
  if (path.empty()) return false;
  return programs.Start(path, kShowNormalFocus);
}

}  // namespace ventrix::sys_info
