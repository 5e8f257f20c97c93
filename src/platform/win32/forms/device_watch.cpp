#include "platform/win32/forms/device_watch.h"

// The event GUIDs are defined here, from the SDK's own header.
#include <initguid.h>
// After initguid.h, which makes it define them.
#include <ioevent.h>

#include <cstddef>

namespace ventrix::win32::ui {

namespace {

// The filter handed to RegisterDeviceNotificationA, and the notification read back.
#ifdef _WIN64
constexpr std::size_t kBroadcastHandleSize = 56;
#else
constexpr std::size_t kBroadcastHandleSize = 44;
#endif
static_assert(sizeof(DEV_BROADCAST_HANDLE) == kBroadcastHandleSize);

// The parts of a DEV_BROADCAST_HANDLE a notification must hold to be read: which registration,
// and for a custom event which event.
constexpr std::size_t kIdentifiedSize = offsetof(DEV_BROADCAST_HANDLE, dbch_eventguid);
constexpr std::size_t kCustomEventSize = offsetof(DEV_BROADCAST_HANDLE, dbch_nameoffset);

}  // namespace

std::unique_ptr<DeviceWatch> DeviceWatch::Start(HWND window, const std::string& device_path) {
  const HANDLE opened = CreateFileA(device_path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return nullptr;
  KernelHandle device(opened);
  DEV_BROADCAST_HANDLE filter{};
  filter.dbch_size = sizeof(filter);
  filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
  filter.dbch_handle = device.get();
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-registerdevicenotificationa
  // (Windows XP and later).
  DeviceNotification notification(
      RegisterDeviceNotificationA(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
  if (!notification) return nullptr;
  return std::unique_ptr<DeviceWatch>(new DeviceWatch(std::move(device), std::move(notification)));
}

bool DeviceWatch::Concerns(const DEV_BROADCAST_HDR& header) const {
  if (header.dbch_devicetype != DBT_DEVTYP_HANDLE || header.dbch_size < kIdentifiedSize) {
    return false;
  }
  const auto& handle = reinterpret_cast<const DEV_BROADCAST_HANDLE&>(header);
  return handle.dbch_hdevnotify == notification_.get() || handle.dbch_handle == device_.get();
}

std::optional<forms::DeviceEvent> CustomDeviceEvent(const DEV_BROADCAST_HDR& header) {
  if (header.dbch_devicetype != DBT_DEVTYP_HANDLE || header.dbch_size < kCustomEventSize) {
    return std::nullopt;
  }
  const GUID& event = reinterpret_cast<const DEV_BROADCAST_HANDLE&>(header).dbch_eventguid;
  if (IsEqualGUID(event, GUID_IO_MEDIA_EJECT_REQUEST)) return forms::DeviceEvent::kEjectRequest;
  if (IsEqualGUID(event, GUID_IO_MEDIA_ARRIVAL)) return forms::DeviceEvent::kMediaArrived;
  if (IsEqualGUID(event, GUID_IO_MEDIA_REMOVAL)) return forms::DeviceEvent::kMediaRemoved;
  return std::nullopt;
}

}  // namespace ventrix::win32::ui
