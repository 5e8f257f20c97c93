#include "tests/e2e/e2e_drive_events.h"

#include <windows.h>
// After windows.h, which they need; initguid.h makes ioevent.h define its GUIDs here.
#include <dbt.h>
#include <initguid.h>
#include <ioevent.h>

#include <optional>

#include "tests/e2e/e2e_accepting_drive.h"
#include "tests/e2e/e2e_import_patch.h"

namespace ventrix::e2e {

namespace {

using RegisterFunction = decltype(&RegisterDeviceNotificationA);
using UnregisterFunction = decltype(&UnregisterDeviceNotification);

RegisterFunction real_register = nullptr;
UnregisterFunction real_unregister = nullptr;

// The program's registration for a drive's events; it holds at most one at a time.
struct Registration {
  HWND window;
  HANDLE device;
  HDEVNOTIFY notification;
  char letter;
  bool real;  // made by the system (Wine may refuse a handle registration)
};
std::optional<Registration> registration;
// The notification handle given out where the system made none.
char stand_in_notification;

HDEVNOTIFY WINAPI CountingRegister(HANDLE recipient, LPVOID filter, DWORD flags) {
  const HDEVNOTIFY made = real_register(recipient, filter, flags);
  const auto* header = static_cast<const DEV_BROADCAST_HDR*>(filter);
  if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_HANDLE ||
      (flags & DEVICE_NOTIFY_SERVICE_HANDLE) != 0) {
    return made;
  }
  const HANDLE device = static_cast<const DEV_BROADCAST_HANDLE*>(filter)->dbch_handle;
  const char letter = DriveOfHandle(device);
  if (letter == 0) return made;
  const HDEVNOTIFY notification = made != nullptr ? made : &stand_in_notification;
  registration =
      Registration{static_cast<HWND>(recipient), device, notification, letter, made != nullptr};
  NoteWatched(letter, true);
  return notification;
}

BOOL WINAPI CountingUnregister(HDEVNOTIFY notification) {
  if (registration && registration->notification == notification) {
    const bool real = registration->real;
    NoteWatched(registration->letter, false);
    registration.reset();
    if (!real) return TRUE;
  }
  return real_unregister(notification);
}

template <class Function>
Function AsFunction(FARPROC import) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(import));
}

}  // namespace

bool CountDeviceEvents() {
  if (real_register != nullptr) return true;
  FARPROC register_import = nullptr;
  FARPROC unregister_import = nullptr;
  if (!PatchImport("user32.dll", "RegisterDeviceNotificationA", AsImport(&CountingRegister),
                   &register_import) ||
      !PatchImport("user32.dll", "UnregisterDeviceNotification", AsImport(&CountingUnregister),
                   &unregister_import)) {
    return false;
  }
  real_register = AsFunction<RegisterFunction>(register_import);
  real_unregister = AsFunction<UnregisterFunction>(unregister_import);
  return true;
}

std::string RaiseDeviceEvent(const std::string& name) {
  if (!registration) return "missing|registration";
  DEV_BROADCAST_HANDLE event{};
  event.dbch_size = sizeof(event);
  event.dbch_devicetype = DBT_DEVTYP_HANDLE;
  event.dbch_handle = registration->device;
  event.dbch_hdevnotify = registration->notification;
  event.dbch_nameoffset = -1;
  WPARAM what = DBT_CUSTOMEVENT;
  if (name == "eject-request") {
    event.dbch_eventguid = GUID_IO_MEDIA_EJECT_REQUEST;
  } else if (name == "media-arrival") {
    event.dbch_eventguid = GUID_IO_MEDIA_ARRIVAL;
  } else if (name == "media-removal") {
    event.dbch_eventguid = GUID_IO_MEDIA_REMOVAL;
  } else if (name == "query-remove") {
    what = DBT_DEVICEQUERYREMOVE;
  } else {
    return "bad-event";
  }
  const char letter = registration->letter;
  SendMessageA(registration->window, WM_DEVICECHANGE, what, reinterpret_cast<LPARAM>(&event));
  return std::string("raised|") + letter;
}

}  // namespace ventrix::e2e
