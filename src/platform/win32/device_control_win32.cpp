#include "platform/win32/device_control_win32.h"

#include <limits>

namespace ventrix::win32 {
namespace {

HANDLE ToHandle(DeviceHandle device) {
  return device == kInvalidDevice ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(device);
}

DeviceHandle FromHandle(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kInvalidDevice : reinterpret_cast<DeviceHandle>(handle);
}

DWORD Length(std::size_t size) {
  return size > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                  : static_cast<DWORD>(size);
}

}  // namespace

// https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-createfilea
DeviceHandle Win32DeviceControl::CreateFile(const std::string& path, std::uint32_t access,
                                            std::uint32_t share, std::uint32_t disposition) {
  const HANDLE handle =
      ::CreateFileA(path.c_str(), access, share, nullptr, disposition, 0, nullptr);
  return FromHandle(handle);
}

// https://learn.microsoft.com/windows/win32/api/ioapiset/nf-ioapiset-deviceiocontrol
bool Win32DeviceControl::DeviceIoControl(DeviceHandle device, std::uint32_t code,
                                         std::span<const std::uint8_t> input) {
  // The call takes a non-const input pointer but only reads it.
  void* const in = input.empty() ? nullptr : const_cast<std::uint8_t*>(input.data());
  DWORD returned = 0;
  return ::DeviceIoControl(ToHandle(device), code, in, Length(input.size()), nullptr, 0, &returned,
                           nullptr) != FALSE;
}

void Win32DeviceControl::CloseHandle(DeviceHandle device) { ::CloseHandle(ToHandle(device)); }

// https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-getlogicaldrivestringsa
std::uint32_t Win32DriveEnumeration::GetLogicalDriveStrings(std::span<char> buffer) {
  return ::GetLogicalDriveStringsA(Length(buffer.size()), buffer.data());
}

std::uint32_t Win32DriveEnumeration::GetDriveType(const std::string& root) {
  return ::GetDriveTypeA(root.c_str());
}

}  // namespace ventrix::win32
