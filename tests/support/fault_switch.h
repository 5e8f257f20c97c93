#pragma once
// Makes chosen platform calls of the fakes fail, the way the real call fails: every call of a
// kind, or only the nth call of a kind counted from the moment the switch is set.

#include <array>
#include <cstddef>

namespace ventrix::testing {

// One kind of platform call that can fail.
enum class Fault {
  kVersionQuery,     // GetVersionExA answers 0
  kDriveList,        // GetLogicalDriveStringsA answers 0
  kDriveType,        // GetDriveTypeA answers DRIVE_UNKNOWN
  kDeviceOpen,       // CreateFileA answers INVALID_HANDLE_VALUE
  kDeviceRequest,    // DeviceIoControl answers FALSE
  kMultimedia,       // mciSendStringA answers an error code
  kSettingsRead,     // the settings store answers the default
  kSettingsWrite,    // the settings store refuses the text
  kRegistryOpen,     // RegOpenKeyExA answers an error
  kRegistryQuery,    // RegQueryValueExA answers an error
  kRegistryClose,    // RegCloseKey answers an error
  kShellExecute,     // ShellExecuteA answers a code of 32 or less
  kFileExists,       // the file query finds nothing
  kProgramStart,     // CreateProcessA fails
  kWindowPlacement,  // SetWindowPos answers FALSE
  kExecutableName,   // GetModuleFileNameA fails: no name
  kTrayIconAdd,      // Shell_NotifyIconA(NIM_ADD) fails: the icon is not in the notification area
  kTrayBalloon,      // Shell_NotifyIconA(NIM_MODIFY) for a balloon fails
  kTrayMenu,         // TrackPopupMenu fails: no item picked
  kWebCheck,         // the web version check cannot connect
  kMessageBox,       // MessageBoxA fails: nothing shown
  kTrayQuestion,     // asking the drive for its tray: the read-write open or a request fails
};

inline constexpr std::array kAllFaults{
    Fault::kVersionQuery,  Fault::kDriveList,     Fault::kDriveType,       Fault::kDeviceOpen,
    Fault::kDeviceRequest, Fault::kMultimedia,    Fault::kSettingsRead,    Fault::kSettingsWrite,
    Fault::kRegistryOpen,  Fault::kRegistryQuery, Fault::kRegistryClose,   Fault::kShellExecute,
    Fault::kFileExists,    Fault::kProgramStart,  Fault::kWindowPlacement, Fault::kExecutableName,
    Fault::kTrayIconAdd,   Fault::kTrayBalloon,   Fault::kTrayMenu,        Fault::kWebCheck,
    Fault::kMessageBox,    Fault::kTrayQuestion,
};

inline const char* FaultName(Fault fault) {
  constexpr std::array<const char*, kAllFaults.size()> kNames{
      "version query",   "drive list",    "drive type",     "device open",   "device request",
      "multimedia",      "settings read", "settings write", "registry open", "registry query",
      "registry close",  "shell execute", "file exists",    "program start", "window placement",
      "executable name", "tray icon add", "tray balloon",   "tray menu",     "web check",
      "message box",     "tray question",
  };
  return kNames[static_cast<std::size_t>(fault)];
}

class FaultSwitch {
 public:
  // Every call of the kind fails from now on.
  void FailAll(Fault fault) { At(fault).plan = {Plan::kAll, 0}; }
  // Only the nth call (1 for the next one) of the kind fails.
  void FailNth(Fault fault, int nth) {
    Slot& slot = At(fault);
    slot.plan = {Plan::kNth, slot.calls + nth};
  }
  void FailEverything() {
    for (const Fault fault : kAllFaults) FailAll(fault);
  }
  // No call fails any more; the counts stay.
  void Disarm() {
    for (Slot& slot : slots_) slot.plan = {};
  }
  void ResetCounts() {
    for (Slot& slot : slots_) slot.calls = slot.failures = 0;
  }

  // Asked by a fake at each call of the kind: counts the call and answers whether it fails.
  bool Fails(Fault fault) {
    Slot& slot = At(fault);
    ++slot.calls;
    const bool fails = slot.plan.mode == Plan::kAll ||
                       (slot.plan.mode == Plan::kNth && slot.calls == slot.plan.failing_call);
    if (fails) ++slot.failures;
    return fails;
  }

  int Calls(Fault fault) const { return At(fault).calls; }
  int Failures(Fault fault) const { return At(fault).failures; }
  int TotalFailures() const {
    int total = 0;
    for (const Slot& slot : slots_) total += slot.failures;
    return total;
  }

 private:
  struct Plan {
    enum Mode { kNone, kAll, kNth } mode = kNone;
    int failing_call = 0;  // kNth: the count of calls at which the call fails
  };
  struct Slot {
    Plan plan;
    int calls = 0;
    int failures = 0;
  };
  Slot& At(Fault fault) { return slots_[static_cast<std::size_t>(fault)]; }
  const Slot& At(Fault fault) const { return slots_[static_cast<std::size_t>(fault)]; }

  std::array<Slot, kAllFaults.size()> slots_{};
};

// What a fake inherits to take part: no switch attached means no call ever fails.
class FaultInjectable {
 public:
  FaultSwitch* faults = nullptr;

 protected:
  bool Fails(Fault fault) { return faults != nullptr && faults->Fails(fault); }
};

}  // namespace ventrix::testing
