#pragma once
// Asking a drive how its tray stands, at the moment the answer is needed.

#include <string>

#include "drive/tray_answers.h"
#include "platform/device_control.h"

namespace ventrix {

// Opens the drive once for reading and writing and asks, until one answer tells: SCSI
// MECHANISM STATUS, then TEST UNIT READY, then CHECK_VERIFY2 (whose success means closed with a
// disc). Unknown when none tells, or the handle or every request is refused. GET EVENT STATUS
// NOTIFICATION is never sent: it would take events away from the system's own polling.
TrayReading AskTray(DeviceControl& devices, std::string drive);

}  // namespace ventrix
