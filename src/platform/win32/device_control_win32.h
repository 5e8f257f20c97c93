#pragma once
// DeviceControl over CreateFileA / DeviceIoControl / CloseHandle, and DriveEnumeration over
// GetLogicalDriveStringsA / GetDriveTypeA.

// <windows.h> maps CreateFile, GetDriveType and GetLogicalDriveStrings to other names by macro;
// the interfaces use those names for their own members, so the macros go before they are seen.
#include <windows.h>
#undef CreateFile
#undef GetDriveType
#undef GetLogicalDriveStrings

#include "platform/device_control.h"

namespace ventrix::win32 {

// The opaque DeviceHandle carries the HANDLE value; INVALID_HANDLE_VALUE is kInvalidDevice.
class Win32DeviceControl : public DeviceControl {
 public:
  DeviceHandle CreateFile(const std::string& path, std::uint32_t access, std::uint32_t share,
                          std::uint32_t disposition) override;
  bool DeviceIoControl(DeviceHandle device, std::uint32_t code,
                       std::span<const std::uint8_t> input) override;
  bool DeviceIoControlInOut(DeviceHandle device, std::uint32_t code,
                            std::span<std::uint8_t> buffer) override;
  void CloseHandle(DeviceHandle device) override;
};

class Win32DriveEnumeration : public DriveEnumeration {
 public:
  std::uint32_t GetLogicalDriveStrings(std::span<char> buffer) override;
  std::uint32_t GetDriveType(const std::string& root) override;
};

}  // namespace ventrix::win32
