#pragma once
// A form window's watch of one device: a handle to it, registered for the device's own events
// (DBT_DEVTYP_HANDLE), which the system then sends to the window as WM_DEVICECHANGE. The
// registration goes before the handle, when the watch ends.
// https://learn.microsoft.com/windows/win32/devio/processing-a-request-to-remove-a-device

#include <windows.h>
// After windows.h, which it needs.
#include <dbt.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/forms/form.h"
#include "platform/win32/handles_win32.h"

namespace ventrix::win32::ui {

struct DeviceNotificationDeleter {
  void operator()(HDEVNOTIFY notification) const { UnregisterDeviceNotification(notification); }
};
using DeviceNotification =
    std::unique_ptr<std::remove_pointer_t<HDEVNOTIFY>, DeviceNotificationDeleter>;

class DeviceWatch {
 public:
  // Opens the device (no access asked: the handle only names it) and registers `window` for its
  // events; nothing when either fails.
  static std::unique_ptr<DeviceWatch> Start(HWND window, const std::string& device_path);
  DeviceWatch(const DeviceWatch&) = delete;
  DeviceWatch& operator=(const DeviceWatch&) = delete;

  // Whether a WM_DEVICECHANGE's data is about this watch's registration.
  bool Concerns(const DEV_BROADCAST_HDR& header) const;

 private:
  DeviceWatch(KernelHandle device, DeviceNotification notification)
      : device_(std::move(device)), notification_(std::move(notification)) {}

  KernelHandle device_;
  DeviceNotification notification_;  // destroyed first: unregistered before the handle closes
};

// The form's event for a custom event of a watched device (DBT_CUSTOMEVENT), when it is one.
std::optional<forms::DeviceEvent> CustomDeviceEvent(const DEV_BROADCAST_HDR& header);

}  // namespace ventrix::win32::ui
