#pragma once
// The media locks Ventrix placed, this run and earlier ones, and how an unlock undoes them.

#include <bitset>
#include <cstdint>
#include <string>

#include "drive/device_io.h"
#include "drive/lock_record.h"
#include "platform/device_control.h"
#include "platform/settings_store.h"

namespace ventrix {

class DriveLocks {
 public:
  // The record of earlier runs' locks lives in `store`.
  explicit DriveLocks(SettingsStore& store) : record_(store) {}

  // Locks the drive unless this run holds its lock already, in which case nothing is sent;
  // true when the lock is held. drive is normalised in place.
  bool Lock(DeviceControl& devices, std::string& drive);
  // Sends the allow requests of an unlock (see drive_locks.cpp); true when the drive took every
  // one. drive is normalised in place.
  bool Unlock(DeviceControl& devices, std::string& drive);
  // The drives (one bit per letter, A: in bit 0) were unplugged, which released their locks.
  void Unplugged(std::uint32_t drives);
  // Whether Ventrix holds a lock on the drive: one this run placed, or one recorded by an
  // earlier run and not released since.
  bool Holds(const std::string& drive) const;

 private:
  LockRecord record_;
  // The drives this run locked: a second Lock sends nothing.
  std::bitset<basDeviceIO::kDriveLetters> held_;
};

}  // namespace ventrix
