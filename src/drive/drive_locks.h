#pragma once
// The media locks this run of the program placed, and how an unlock undoes them.

#include <bitset>
#include <cstdint>
#include <string>

#include "drive/device_io.h"
#include "platform/device_control.h"

namespace ventrix {

class DriveLocks {
 public:
  // Locks the drive unless this run holds its lock already, in which case nothing is sent;
  // true when the lock is held. drive is normalised in place.
  bool Lock(DeviceControl& devices, std::string& drive);
  // Sends the allow requests of an unlock (see drive_locks.cpp); true when the drive took every
  // one. drive is normalised in place.
  bool Unlock(DeviceControl& devices, std::string& drive);
  // The drives (one bit per letter, A: in bit 0) were unplugged, which released their locks.
  void Unplugged(std::uint32_t drives);
  // Whether this run holds the lock of the drive (D: or D:\).
  bool Holds(const std::string& drive) const;

 private:
  std::bitset<basDeviceIO::kDriveLetters> held_;
};

}  // namespace ventrix
