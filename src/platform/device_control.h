#pragma once
// Storage device control (CreateFileA / DeviceIoControl / CloseHandle).
// Handles are opaque numbers; the real HANDLE never leaves platform/win32.

#include <cstdint>
#include <span>
#include <string>

namespace ventrix {

using DeviceHandle = std::intptr_t;
inline constexpr DeviceHandle kInvalidDevice = -1;  // INVALID_HANDLE_VALUE

inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kFileShareReadWrite = 3;  // FILE_SHARE_READ | FILE_SHARE_WRITE
inline constexpr std::uint32_t kOpenExisting = 3;

inline constexpr std::uint32_t kIoctlStorageMediaRemoval = 0x2D4804;
inline constexpr std::uint32_t kIoctlStorageEjectMedia = 0x2D4808;
inline constexpr std::uint32_t kIoctlStorageLoadMedia = 0x2D480C;
// Succeeds only when the drive is ready: the tray is closed with a disc in it.
inline constexpr std::uint32_t kIoctlStorageCheckVerify2 = 0x2D0800;
// A SCSI command passed to the drive (ScsiPassThrough, platform/scsi_pass_through.h); needs a
// handle opened for reading and writing.
inline constexpr std::uint32_t kIoctlScsiPassThrough = 0x4D004;

class DeviceControl {
 public:
  virtual ~DeviceControl() = default;
  // CreateFileA(path, access, share, no security, disposition, flags 0, no template).
  virtual DeviceHandle CreateFile(const std::string& path, std::uint32_t access,
                                  std::uint32_t share, std::uint32_t disposition) = 0;
  // DeviceIoControl with the given input, no output buffer, no overlapped; true on success.
  virtual bool DeviceIoControl(DeviceHandle device, std::uint32_t code,
                               std::span<const std::uint8_t> input) = 0;
  // DeviceIoControl with `buffer` as both input and output (its whole length each way), no
  // overlapped; true on success, the answer then in `buffer`.
  virtual bool DeviceIoControlInOut(DeviceHandle device, std::uint32_t code,
                                    std::span<std::uint8_t> buffer) = 0;
  virtual void CloseHandle(DeviceHandle device) = 0;
};

inline constexpr std::uint32_t kDriveCdrom = 5;  // DRIVE_CDROM

class DriveEnumeration {
 public:
  virtual ~DriveEnumeration() = default;
  // GetLogicalDriveStringsA: fills the buffer with the drive roots; returns the length written
  // (without the final NUL), the size needed when the buffer is too small, or 0 on failure.
  virtual std::uint32_t GetLogicalDriveStrings(std::span<char> buffer) = 0;
  // GetDriveTypeA.
  virtual std::uint32_t GetDriveType(const std::string& root) = 0;
};

}  // namespace ventrix
