#pragma once
// Stands in for the system's device events of the counting drive (e2e_accepting_drive.h):
// ventrix.exe's registration for a drive's own events (RegisterDeviceNotificationA with
// DBT_DEVTYP_HANDLE) is noted in the drive's record, and the events Windows would send the
// registered window are sent on request. Wine sends none for a folder-backed drive.

#include <string>

namespace ventrix::e2e {

// Patches the program's RegisterDeviceNotificationA and UnregisterDeviceNotification imports.
bool CountDeviceEvents();

// Sends the registered window one event of its drive, as WM_DEVICECHANGE: "eject-request",
// "media-arrival" or "media-removal" (DBT_CUSTOMEVENT), or "query-remove". The reply:
// "raised|LETTER", "missing|registration" when none is registered, or "bad-event".
std::string RaiseDeviceEvent(const std::string& name);

}  // namespace ventrix::e2e
