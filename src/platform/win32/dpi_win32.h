#pragma once
// Dots per inch of the screen, of a window and of a monitor, for a program that is per-monitor
// DPI aware where the system offers it (its manifest asks for it). The per-monitor functions
// are looked up at run time, so that the program still starts where they are missing; there
// every answer is the system DPI, which is then the DPI of every window.

#include <windows.h>

namespace ventrix::win32 {

// The DPI that sizes given in pixels are designed for.
inline constexpr int kBaseDpi = 96;
// Bounds on a DPI read from the system: anything outside is taken as kBaseDpi.
inline constexpr int kMinDpi = 48;
inline constexpr int kMaxDpi = 960;

// Sent to a per-monitor aware top-level window whose DPI changed (wParam: the new DPI in both
// words; lParam: the suggested window rectangle), and, first, to ask a per-monitor v2 window
// for its size at the new DPI (wParam: the DPI; lParam: the SIZE to change).
inline constexpr UINT kWmDpiChanged = 0x02E0;
inline constexpr UINT kWmGetDpiScaledSize = 0x02E4;

// The system DPI (LOGPIXELSY of the screen), kBaseDpi when it cannot be read.
int SystemDpi();
// The DPI `window` is drawn at: GetDpiForWindow where it exists, else the system DPI.
int WindowDpi(HWND window);
// The effective DPI of the monitor that holds `point` (GetDpiForMonitor, Windows 8.1 and
// later), else the system DPI.
int MonitorDpiAt(POINT point);
// The window rectangle around client rectangle `rect` at `dpi` (AdjustWindowRectExForDpi where
// it exists, else AdjustWindowRectEx at the system DPI). False when the system refused.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD ex_style, int dpi);
// System metric `index` at `dpi`: GetSystemMetricsForDpi where it exists, else the metric at
// the system DPI scaled to `dpi`.
int SystemMetricForDpi(int index, int dpi);
// `value`, a size at kBaseDpi, at `dpi` (rounded to the nearest pixel).
int ScaleForDpi(int value, int dpi);

}  // namespace ventrix::win32
