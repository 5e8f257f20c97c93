#include "drive/drive_locks.h"

#include <cstddef>
#include <optional>

#include "platform/types.h"

namespace ventrix {

void DriveLocks::Unplugged(std::uint32_t drives) {
  held_ &= ~std::bitset<basDeviceIO::kDriveLetters>(drives);
}

bool DriveLocks::Holds(const std::string& drive) const {
  const std::optional<std::size_t> index = basDeviceIO::DriveIndex(drive);
  return index && held_.test(*index);
}

bool DriveLocks::Lock(DeviceControl& devices, std::string& drive) {
  // The drive that a request on this text reaches, read before the request normalises it.
  const std::optional<std::size_t> index = basDeviceIO::DriveIndex(drive);
  // A second prevent would add a second count that one allow no longer undoes.
  if (index && held_.test(*index)) {
    drive = basDeviceIO::StripTrailingBackslash(drive);
    return true;
  }
  if (basDeviceIO::SetMediaLock(devices, drive, true) == kFalse) return false;
  if (index) held_.set(*index);
  return true;
}

// The drive keeps one lock count (IOCTL_STORAGE_MEDIA_REMOVAL): a prevent adds one, an allow
// takes one away while any is left and is taken without effect at zero, and the drive unlocks
// only at zero. Closing the handle or ending the process releases nothing; unplugging the drive
// or a reboot releases everything. So an unlock sends one allow for the lock this run placed
// (never more than one: Lock does not stack) and one more for a lock that an earlier run may have
// left when it ended or crashed while locked: at most two requests, after which the drive is
// unlocked whichever was the case.
bool DriveLocks::Unlock(DeviceControl& devices, std::string& drive) {
  constexpr int kLeftByEarlierRun = 1;
  const std::optional<std::size_t> index = basDeviceIO::DriveIndex(drive);
  const int requests = (index && held_.test(*index) ? 1 : 0) + kLeftByEarlierRun;
  for (int sent = 0; sent < requests; ++sent) {
    // A refusal leaves this run's lock counted, so the next unlock sends its allow again.
    if (basDeviceIO::SetMediaLock(devices, drive, false) == kFalse) return false;
  }
  if (index) held_.reset(*index);
  return true;
}

}  // namespace ventrix
