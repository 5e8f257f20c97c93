#include "drive/drive_locks.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "platform/types.h"

namespace ventrix {

void DriveLocks::Unplugged(std::uint32_t drives) {
  for (std::size_t drive = 0; drive < held_.size(); ++drive) {
    if ((drives >> drive & 1u) == 0) continue;
    held_.reset(drive);
    if (record_.Count(drive) > 0) record_.Set(drive, 0);
  }
}

bool DriveLocks::Holds(const std::string& drive) const {
  const std::optional<std::size_t> index = basDeviceIO::DriveIndex(drive);
  return index && (held_.test(*index) || record_.Count(*index) > 0);
}

bool DriveLocks::Lock(DeviceControl& devices, std::string& drive) {
  // The drive that a request on this text reaches, read before the request normalises it.
  const std::optional<std::size_t> index = basDeviceIO::DriveIndex(drive);
  // A second prevent would add a second count that one allow no longer undoes.
  if (index && held_.test(*index)) {
    drive = basDeviceIO::StripTrailingBackslash(drive);
    return true;
  }
  // Counted before the request goes out, so that a crash before its answer still leaves the
  // lock recorded (an allow too many does nothing); a refused request is taken back.
  const int recorded = index ? record_.Count(*index) : 0;
  if (index) record_.Set(*index, recorded + 1);
  if (basDeviceIO::SetMediaLock(devices, drive, true) == kFalse) {
    if (index) record_.Set(*index, recorded);
    return false;
  }
  if (index) held_.set(*index);
  return true;
}

// The drive keeps one lock count (IOCTL_STORAGE_MEDIA_REMOVAL): a prevent adds one, an allow
// takes one away while any is left and is taken without effect at zero, and the drive unlocks
// only at zero. Closing the handle or ending the process releases nothing; unplugging the drive
// or a reboot releases everything. Each run locks a drive at most once (Lock does not stack), and
// records each lock it places, so the record counts the locks of this run and of earlier runs
// that ended while locked (more after a reboot, which the program cannot see). An unlock sends
// one allow per recorded lock (at least one for this run's lock, should the store have refused
// its record), plus one for a lock placed before the record existed: at most
// kMaxRecordedLocks + 1 requests. A drive counting more than that from Ventrix stays locked.
bool DriveLocks::Unlock(DeviceControl& devices, std::string& drive) {
  constexpr int kPlacedBeforeTheRecord = 1;
  const std::optional<std::size_t> index = basDeviceIO::DriveIndex(drive);
  const int recorded = index ? record_.Count(*index) : 0;
  const int ours = std::max(recorded, index && held_.test(*index) ? 1 : 0);
  const int requests = ours + kPlacedBeforeTheRecord;
  for (int sent = 0; sent < requests; ++sent) {
    if (basDeviceIO::SetMediaLock(devices, drive, false) == kFalse) {
      // The allows taken released as many recorded locks; the next unlock sends the rest again.
      if (index && sent > 0 && recorded > 0) record_.Set(*index, recorded - sent);
      return false;
    }
  }
  if (index) {
    held_.reset(*index);
    if (recorded > 0) record_.Set(*index, 0);
  }
  return true;
}

}  // namespace ventrix
