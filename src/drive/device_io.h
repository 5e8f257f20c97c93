#pragma once
// basDeviceIO: drive strings, device requests to a drive, and the list of CD-ROM drives.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/device_control.h"

namespace ventrix {

// Where FillCdDriveList appends the drive roots it finds.
class DriveListControl {
 public:
  virtual ~DriveListControl() = default;
  virtual void AddItem(const std::string& entry) = 0;
};

namespace basDeviceIO {

// The drive list is first read into 104 characters (26 roots of 4); all 26 roots need one more for
// the final NUL, so a longer list is read again, up to this bound and never beyond it.
inline constexpr std::size_t kDriveLetters = 26;
inline constexpr std::size_t kRootLength = 4;  // "D:\" and its NUL
inline constexpr std::size_t kDriveListLength = kDriveLetters * kRootLength;
inline constexpr std::size_t kMaxDriveListLength = kDriveListLength + 1;

// Leading and trailing blanks removed, then one trailing backslash removed.
std::string StripTrailingBackslash(const std::string& text);
// "\\.\" + drive.
std::string DevicePath(const std::string& drive);
// True for exactly one ASCII letter followed by ':' (D:), the only form sent to the platform.
bool IsDriveName(const std::string& drive);
// The drive's place among A: to Z: (D: and D:\ give 3); nothing for any other text.
std::optional<std::size_t> DriveIndex(const std::string& drive);

// An opened drive, closed exactly once whichever way its requests end.
class OpenDevice {
 public:
  OpenDevice(DeviceControl& devices, DeviceHandle handle) : devices_(devices), handle_(handle) {}
  ~OpenDevice() {
    if (IsOpen()) devices_.CloseHandle(handle_);
  }
  OpenDevice(const OpenDevice&) = delete;
  OpenDevice& operator=(const OpenDevice&) = delete;

  bool IsOpen() const { return handle_ != kInvalidDevice; }
  DeviceHandle get() const { return handle_; }

 private:
  DeviceControl& devices_;
  DeviceHandle handle_;
};

// Normalises the caller's drive string, then opens its device path with the given access (shared
// for reading and writing); not opened when the drive string is not a plain drive name.
OpenDevice OpenDrive(DeviceControl& devices, std::string& drive, std::uint32_t access);

// How one request to a drive ended.
enum class RequestOutcome { kAccepted, kRejected, kNotOpened };
// Opens the drive, sends one request with the given input and closes the drive again.
// drive is normalised in place; a drive string that is not a plain drive name is not opened.
RequestOutcome SendRequest(DeviceControl& devices, std::string& drive, std::uint32_t code,
                           std::span<const std::uint8_t> input);
// Locks (true) or unlocks the media; true when the device accepted the request.
// drive is normalised in place.
std::int16_t SetMediaLock(DeviceControl& devices, std::string& drive, bool lock);
// Sends one request without input; true when the drive opened and the device rejected it.
// drive is normalised in place.
std::int16_t SendDriveCommand(DeviceControl& devices, std::string& drive, std::uint32_t code);
// The drive roots, each followed by NUL, the list ended by one more NUL; empty on failure or when
// the platform asks for more than kMaxDriveListLength.
std::string GetDriveStrings(DriveEnumeration& drives);
// Takes the first NUL-terminated item off the front of the list.
std::string NextListItem(std::string& list);
// True when the drive (D: or D:\) is a CD-ROM drive by the platform's drive type.
bool IsCdDrive(DriveEnumeration& drives, const std::string& drive);
// Appends every CD-ROM drive root (as the platform spells it, e.g. D:\) to the list control.
void FillCdDriveList(DriveEnumeration& drives, DriveListControl& list);

}  // namespace basDeviceIO
}  // namespace ventrix
