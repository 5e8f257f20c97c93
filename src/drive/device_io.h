#pragma once
// basDeviceIO: drive strings, device requests to a drive, and the list of CD-ROM drives.

#include <cstdint>
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

// Leading and trailing blanks removed, then one trailing backslash removed.
std::string StripTrailingBackslash(const std::string& text);
// "\\.\" + drive.
std::string DevicePath(const std::string& drive);
// Locks (true) or unlocks the media; true when the device accepted the request.
// drive is normalised in place.
std::int16_t SetMediaLock(DeviceControl& devices, std::string& drive, bool lock);
// Sends one request without input; true when the drive opened and the device rejected it.
// drive is normalised in place.
std::int16_t SendDriveCommand(DeviceControl& devices, std::string& drive, std::uint32_t code);
// The drive roots, each followed by NUL, the list ended by one more NUL; empty on failure.
std::string GetDriveStrings(DriveEnumeration& drives);
// Takes the first NUL-terminated item off the front of the list.
std::string NextListItem(std::string& list);
// Appends every CD-ROM drive root (as the platform spells it, e.g. D:\) to the list control.
void FillCdDriveList(DriveEnumeration& drives, DriveListControl& list);

}  // namespace basDeviceIO
}  // namespace ventrix
