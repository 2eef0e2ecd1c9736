#include "ui/win32/Win32Dpi.h"
#include "base/win32/Handles.h"

#include "ui/Screen.h"

namespace ui::win32 {

namespace {

// Names of the system functions looked up at run time; never translated.
const char* const User32 = "user32.dll";
const char* const Shcore = "shcore.dll";

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
// MDT_EFFECTIVE_DPI is 0.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

} // namespace

int systemDpi()
{
    static const auto get = lookUp<GetDpiForSystemFn>(User32, "GetDpiForSystem");
    if (get) {
        return static_cast<int>(get());
    }
    base::win32::WindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi;
    return dpi > 0 ? dpi : kDesignDpi;
}

int monitorDpi(HMONITOR monitor)
{
    static const auto get = lookUp<GetDpiForMonitorFn>(Shcore, "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (monitor && get && SUCCEEDED(get(monitor, 0, &x, &y)) && y > 0) {
        return static_cast<int>(y);
    }
    return systemDpi();
}

int windowDpi(HWND hwnd)
{
    static const auto get = lookUp<GetDpiForWindowFn>(User32, "GetDpiForWindow");
    if (get) {
        if (const UINT dpi = get(hwnd); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return monitorDpi(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
}

int metricForDpi(int index, int dpi)
{
    static const auto get = lookUp<GetSystemMetricsForDpiFn>(User32, "GetSystemMetricsForDpi");
    if (get) {
        return get(index, static_cast<UINT>(dpi));
    }
    // The system's metrics are those of the system dpi: bring them to the one asked for.
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

RECT windowRectForClient(const RECT& client, DWORD style, bool menu, DWORD exStyle, int dpi)
{
    RECT r = client;
    static const auto adjust =
        lookUp<AdjustWindowRectExForDpiFn>(User32, "AdjustWindowRectExForDpi");
    if (adjust) {
        if (adjust(&r, style, menu, exStyle, static_cast<UINT>(dpi))) {
            return r;
        }
        r = client;
    }
    AdjustWindowRectEx(&r, style, menu, exStyle);
    return r;
}

RECT workAreaNear(const RECT& rect)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) {
        return info.rcWork;
    }
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace ui::win32
