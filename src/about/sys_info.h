#pragma once
// Finding and starting the platform's system information tool through the registry.

#include <cstdint>
#include <string>

#include "platform/programs.h"
#include "platform/registry.h"

namespace ventrix::sys_info {

// Every key is opened for reading only (KEY_READ): a standard user, and under User Account
// Control every process, may not write under HKEY_LOCAL_MACHINE, and the lookup only reads.
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::size_t kValueBufferSize = 1024;

inline constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kPathValue = "PATH";
inline constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kLocationValue = "MSINFO";
inline constexpr const char* kToolFile = "\\MSINFO32.EXE";

// Reads one value as text: REG_SZ up to its first NUL, REG_DWORD as "&h" + hex digits; any other
// type leaves KeyVal as it was. False, with KeyVal empty, when the key or value cannot be read,
// including a value longer than the 1024-byte buffer. The key is closed only when it opened.
bool GetKeyValue(Registry& registry, RegistryKey& KeyRoot, std::string& KeyName,
                 std::string& SubKeyRef, std::string& KeyVal);

// "&h" + the value's hex digits, upper case, without leading zeros ("&h0" for zero).
std::string DwordText(std::uint32_t value);

// Looks the tool up (PATH value first, then the location folder holding MSINFO32.EXE) and starts
// it with a normal window; false when no path was found or the start failed.
bool StartSystemInformation(Registry& registry, ProgramLauncher& programs);

}  // namespace ventrix::sys_info
