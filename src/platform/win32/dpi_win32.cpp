#include "platform/win32/dpi_win32.h"

#include <optional>

#include "platform/win32/system_library.h"

namespace ventrix::win32 {
namespace {

using GetDpiForWindowFunction = UINT WINAPI(HWND);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int WINAPI(int, UINT);
using MonitorFromPointFunction = HMONITOR WINAPI(POINT, DWORD);
using GetDpiForMonitorFunction = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);

constexpr int kEffectiveDpi = 0;      // MDT_EFFECTIVE_DPI
constexpr DWORD kNearestMonitor = 2;  // MONITOR_DEFAULTTONEAREST

template <class Function>
Function* FindIn(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The user32 functions of per-monitor awareness (Windows 10 1607 and later) and of monitors.
struct User32Dpi {
  GetDpiForWindowFunction* get_dpi_for_window = nullptr;
  AdjustWindowRectExForDpiFunction* adjust_window_rect = nullptr;
  GetSystemMetricsForDpiFunction* get_system_metrics = nullptr;
  MonitorFromPointFunction* monitor_from_point = nullptr;
};

const User32Dpi& User32() {
  static const User32Dpi functions = [] {
    // The program imports user32, so it is loaded already.
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    User32Dpi found;
    found.get_dpi_for_window = FindIn<GetDpiForWindowFunction>(user32, "GetDpiForWindow");
    found.adjust_window_rect =
        FindIn<AdjustWindowRectExForDpiFunction>(user32, "AdjustWindowRectExForDpi");
    found.get_system_metrics =
        FindIn<GetSystemMetricsForDpiFunction>(user32, "GetSystemMetricsForDpi");
    found.monitor_from_point = FindIn<MonitorFromPointFunction>(user32, "MonitorFromPoint");
    return found;
  }();
  return functions;
}

// GetDpiForMonitor lives in shcore.dll (Windows 8.1 and later), loaded when first needed.
GetDpiForMonitorFunction* GetDpiForMonitorIfAny() {
  static const std::optional<SystemLibrary> shcore = SystemLibrary::Load("shcore.dll");
  static GetDpiForMonitorFunction* const function =
      shcore ? shcore->Find<GetDpiForMonitorFunction>("GetDpiForMonitor") : nullptr;
  return function;
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
  const HMONITOR monitor = user32.monitor_from_point(point, kNearestMonitor);
  GetDpiForMonitorFunction* get_dpi = GetDpiForMonitorIfAny();
  UINT dpi_x = 0;
  UINT dpi_y = 0;
  if (monitor == nullptr || get_dpi == nullptr ||
      FAILED(get_dpi(monitor, kEffectiveDpi, &dpi_x, &dpi_y))) {
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
