#pragma once
// How many locks Ventrix placed on each drive and has not released yet, kept in the settings
// store, so that a later run's unlock also undoes the locks of runs that ended while locked.

#include <cstddef>
#include <string_view>

#include "platform/settings_store.h"

namespace ventrix {

// The most locks a record counts for one drive. A stored count above it reads as this bound, so
// an unlock sends a bounded number of requests whatever the store holds.
inline constexpr int kMaxRecordedLocks = 32;

// A stored count: decimal digits only, at most kMaxRecordedLocks (a larger number, however long,
// reads as that bound); anything else, empty text included, reads as 0, as a missing record does.
int ParseLockCount(std::string_view text);

class LockRecord {
 public:
  explicit LockRecord(SettingsStore& store) : store_(store) {}

  // The recorded count of the drive at `drive` (A: is 0), 0 to kMaxRecordedLocks.
  int Count(std::size_t drive) const;
  // Records `count`, kept within 0 to kMaxRecordedLocks; true when the store took it.
  bool Set(std::size_t drive, int count);

 private:
  SettingsStore& store_;
};

}  // namespace ventrix
