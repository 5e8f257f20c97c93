#include "platform/win32/dpi_win32.h"

#include <shellscalingapi.h>

#include <optional>

#include "platform/win32/system_library.h"

namespace ventrix::win32 {
namespace {

// This file sees the newest SDK declarations (see its CMakeLists.txt), so each type is the SDK's.
using GetDpiForWindowFunction = decltype(::GetDpiForWindow);
using AdjustWindowRectExForDpiFunction = decltype(::AdjustWindowRectExForDpi);
using GetSystemMetricsForDpiFunction = decltype(::GetSystemMetricsForDpi);
using MonitorFromPointFunction = decltype(::MonitorFromPoint);
using GetDpiForMonitorFunction = decltype(::GetDpiForMonitor);

// The user32 functions of per-monitor awareness (Windows 10 1607 and later) and of monitors.
struct User32Dpi {
  bool looked_up = false;
  GetDpiForWindowFunction* get_dpi_for_window = nullptr;
  AdjustWindowRectExForDpiFunction* adjust_window_rect = nullptr;
  GetSystemMetricsForDpiFunction* get_system_metrics = nullptr;
  MonitorFromPointFunction* monitor_from_point = nullptr;
};

// GetDpiForMonitor lives in shcore.dll (Windows 8.1 and later), loaded when first needed and
// kept until the program ends.
struct ShcoreDpi {
  bool looked_up = false;
  std::optional<SystemLibrary> library;
  GetDpiForMonitorFunction* get_dpi_for_monitor = nullptr;
};

// Looked up on first use. Only the window thread asks for DPI, and both are constant-initialized,
// so neither needs the guard (and thread library) of a function-local static.
User32Dpi user32_dpi;
ShcoreDpi shcore_dpi;

const User32Dpi& User32() {
  if (!user32_dpi.looked_up) {
    // The program imports user32, so it is loaded already.
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    user32_dpi.get_dpi_for_window = FindExport<GetDpiForWindowFunction>(user32, "GetDpiForWindow");
    user32_dpi.adjust_window_rect =
        FindExport<AdjustWindowRectExForDpiFunction>(user32, "AdjustWindowRectExForDpi");
    user32_dpi.get_system_metrics =
        FindExport<GetSystemMetricsForDpiFunction>(user32, "GetSystemMetricsForDpi");
    user32_dpi.monitor_from_point =
        FindExport<MonitorFromPointFunction>(user32, "MonitorFromPoint");
    user32_dpi.looked_up = true;
  }
  return user32_dpi;
}

GetDpiForMonitorFunction* GetDpiForMonitorIfAny() {
  if (!shcore_dpi.looked_up) {
    shcore_dpi.library = SystemLibrary::Load("shcore.dll");
    if (shcore_dpi.library) {
      shcore_dpi.get_dpi_for_monitor =
          shcore_dpi.library->Find<GetDpiForMonitorFunction>("GetDpiForMonitor");
    }
    shcore_dpi.looked_up = true;
  }
  return shcore_dpi.get_dpi_for_monitor;
}

int Checked(int dpi) { return dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : kBaseDpi; }

}  // namespace

int SystemDpi() {
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kBaseDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return Checked(dpi);
}

int WindowDpi(HWND window) {
  const User32Dpi& user32 = User32();
  if (window == nullptr || user32.get_dpi_for_window == nullptr) return SystemDpi();
  const UINT dpi = user32.get_dpi_for_window(window);
  return dpi == 0 ? SystemDpi() : Checked(static_cast<int>(dpi));
}

int MonitorDpiAt(POINT point) {
  const User32Dpi& user32 = User32();
  if (user32.monitor_from_point == nullptr) return SystemDpi();
  const HMONITOR monitor = user32.monitor_from_point(point, MONITOR_DEFAULTTONEAREST);
  GetDpiForMonitorFunction* get_dpi = GetDpiForMonitorIfAny();
  UINT dpi_x = 0;
  UINT dpi_y = 0;
  if (monitor == nullptr || get_dpi == nullptr ||
      FAILED(get_dpi(monitor, MDT_EFFECTIVE_DPI, &dpi_x, &dpi_y))) {
    return SystemDpi();
  }
  return Checked(static_cast<int>(dpi_y));
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD ex_style, int dpi) {
  const User32Dpi& user32 = User32();
  if (user32.adjust_window_rect != nullptr) {
    return user32.adjust_window_rect(&rect, style, menu ? TRUE : FALSE, ex_style,
                                     static_cast<UINT>(dpi)) != FALSE;
  }
  return AdjustWindowRectEx(&rect, style, menu ? TRUE : FALSE, ex_style) != FALSE;
}

int SystemMetricForDpi(int index, int dpi) {
  const User32Dpi& user32 = User32();
  if (user32.get_system_metrics != nullptr) {
    return user32.get_system_metrics(index, static_cast<UINT>(dpi));
  }
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

int ScaleForDpi(int value, int dpi) { return MulDiv(value, dpi, kBaseDpi); }

}  // namespace ventrix::win32
