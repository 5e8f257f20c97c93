#include "platform/win32/settings_store_win32.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "platform/win32/registry_key.h"

namespace ventrix::win32 {
namespace {

bool HasNul(const std::string& text) { return text.find('\0') != std::string::npos; }

// A usable name is non-empty, within the registry's limit and passed whole to the ANSI API.
bool IsValidName(const std::string& name) {
  return !name.empty() && name.size() <= kMaxSettingNameLength && !HasNul(name);
}

// Application and section are single key levels: a backslash would reach another key.
bool IsValidKeyLevel(const std::string& name) {
  return IsValidName(name) && name.find('\\') == std::string::npos;
}

// The section's key path under HKEY_CURRENT_USER, or nullopt for names the store refuses.
std::optional<std::string> SectionPath(const std::string& application, const std::string& section,
                                       const std::string& key) {
  if (!IsValidKeyLevel(application) || !IsValidKeyLevel(section) || !IsValidName(key)) {
    return std::nullopt;
  }
  return std::string(kSettingsRoot) + "\\" + application + "\\" + section;
}

}  // namespace

std::string RegistrySettingsStore::Read(const std::string& application, const std::string& section,
                                        const std::string& key, const std::string& default_text) {
  const std::optional<std::string> path = SectionPath(application, section, key);
  if (!path) return default_text;

  UniqueHkey section_key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path->c_str(), 0, KEY_QUERY_VALUE, section_key.Receive()) !=
      ERROR_SUCCESS) {
    section_key.Release();
    return default_text;
  }

  // One byte beyond the longest accepted text leaves room for the terminating NUL; anything
  // larger fails with ERROR_MORE_DATA and reads as missing, whatever it holds.
  std::string buffer(kMaxSettingLength + 1, '\0');
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(buffer.size());
  const LONG result = RegQueryValueExA(section_key.Get(), key.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer.data()), &size);
  // Only REG_SZ holds a setting: numbers, binary data, unexpanded and multiple strings read as
  // missing rather than as whatever their bytes happen to spell.
  if (result != ERROR_SUCCESS || type != REG_SZ || size > buffer.size()) return default_text;

  // The text ends at its first NUL (the terminator, or one written inside the data); the data
  // may also lack a terminator altogether.
  buffer.resize(size);
  const std::size_t end = buffer.find('\0');
  if (end != std::string::npos) buffer.resize(end);
  if (buffer.size() > kMaxSettingLength) return default_text;
  return buffer;
}

bool RegistrySettingsStore::Write(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& text) {
  const std::optional<std::string> path = SectionPath(application, section, key);
  // A text that would read back as missing (too long, or cut short at a NUL) is not stored.
  if (!path || text.size() > kMaxSettingLength || HasNul(text)) return false;

  UniqueHkey section_key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, section_key.Receive(), nullptr) != ERROR_SUCCESS) {
    section_key.Release();
    return false;
  }
  // REG_SZ data carries its terminating NUL.
  return RegSetValueExA(section_key.Get(), key.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace ventrix::win32
