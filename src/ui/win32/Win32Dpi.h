#pragma once
// The system's display scaling, as far as the running Windows offers it. The per-monitor
// functions came with Windows 8.1 (the monitor's dpi) and Windows 10 1607 (a window's dpi,
// metrics and frames for a dpi); each is looked up at run time, and where it is missing the
// answer falls back to the next older one, down to the system-wide dpi that every Windows
// has. The program's manifest declares per-monitor awareness v2, then v1, then system
// awareness, so a window's dpi is its monitor's wherever the system can tell.

#include <windows.h>

namespace ui::win32 {

// The dpi of the whole system (the primary monitor's when the process is dpi aware).
int systemDpi();
// The dpi of the monitor, or the system's.
int monitorDpi(HMONITOR monitor);
// The dpi the window is laid out at: its own, its monitor's, or the system's.
int windowDpi(HWND hwnd);
// A system metric (SM_CXSMICON, SM_CXMENUCHECK, ...) for a window at `dpi`.
int metricForDpi(int index, int dpi);
// The window rectangle around `client` for a window of that style at `dpi`.
RECT windowRectForClient(const RECT& client, DWORD style, bool menu, DWORD exStyle, int dpi);
// The work area of the monitor nearest the rectangle.
RECT workAreaNear(const RECT& rect);

} // namespace ui::win32
