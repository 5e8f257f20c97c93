#include "platform/win32/device_control_win32.h"

// After windows.h, which it needs.
#include <ntddscsi.h>
#include <winioctl.h>

#include <cstddef>
#include <limits>

#include "platform/scsi_pass_through.h"

namespace ventrix::win32 {

// The requests and the pass-through header the drive code builds without <windows.h> are the
// system's own.
static_assert(kIoctlScsiPassThrough == IOCTL_SCSI_PASS_THROUGH);
static_assert(kIoctlStorageCheckVerify2 == IOCTL_STORAGE_CHECK_VERIFY2);
static_assert(kGenericRead == GENERIC_READ && kGenericWrite == GENERIC_WRITE);
static_assert(kScsiDataIn == SCSI_IOCTL_DATA_IN &&
              kScsiDataUnspecified == SCSI_IOCTL_DATA_UNSPECIFIED);
static_assert(sizeof(ScsiPassThrough) == sizeof(SCSI_PASS_THROUGH));
static_assert(
    offsetof(ScsiPassThrough, scsi_status) == offsetof(SCSI_PASS_THROUGH, ScsiStatus) &&
    offsetof(ScsiPassThrough, cdb_length) == offsetof(SCSI_PASS_THROUGH, CdbLength) &&
    offsetof(ScsiPassThrough, sense_info_length) == offsetof(SCSI_PASS_THROUGH, SenseInfoLength) &&
    offsetof(ScsiPassThrough, data_in) == offsetof(SCSI_PASS_THROUGH, DataIn) &&
    offsetof(ScsiPassThrough, data_transfer_length) ==
        offsetof(SCSI_PASS_THROUGH, DataTransferLength) &&
    offsetof(ScsiPassThrough, time_out_value) == offsetof(SCSI_PASS_THROUGH, TimeOutValue) &&
    offsetof(ScsiPassThrough, data_buffer_offset) ==
        offsetof(SCSI_PASS_THROUGH, DataBufferOffset) &&
    offsetof(ScsiPassThrough, sense_info_offset) == offsetof(SCSI_PASS_THROUGH, SenseInfoOffset) &&
    offsetof(ScsiPassThrough, cdb) == offsetof(SCSI_PASS_THROUGH, Cdb));

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

bool Win32DeviceControl::DeviceIoControlInOut(DeviceHandle device, std::uint32_t code,
                                              std::span<std::uint8_t> buffer) {
  void* const data = buffer.empty() ? nullptr : buffer.data();
  const DWORD length = Length(buffer.size());
  DWORD returned = 0;
  return ::DeviceIoControl(ToHandle(device), code, data, length, data, length, &returned,
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
