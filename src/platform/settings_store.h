#pragma once
// The per-user application settings store (application / section / key -> text).

#include <cstddef>
#include <string>

namespace ventrix {

// Longest stored text accepted; anything longer reads as missing.
inline constexpr std::size_t kMaxSettingLength = 2048;

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or default_text when the key or section is missing or unreadable.
  virtual std::string Read(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& default_text) = 0;
  // Creates section and key as needed; true when the text was stored. A refused or failed write
  // changes nothing and raises nothing.
  virtual bool Write(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& text) = 0;
};

}  // namespace ventrix
