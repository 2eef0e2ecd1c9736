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

// A function of a system library, or null where this Windows has none. A library not loaded
// yet is loaded by its full path in the system folder, never by name: where the system has no
// such library (shcore before Windows 8.1), a search by name would take one planted beside
// the program. It stays loaded for the life of the process (user32 is loaded anyway; shcore
// is small).
template <class Function>
Function lookUp(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (!module) {
        char path[MAX_PATH * 2];
        const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
        if (folder == 0 || folder >= MAX_PATH) {
            return nullptr;
        }
        lstrcatA(path, "\\");
        lstrcatA(path, library);
        module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    if (!module) {
        return nullptr;
    }
    // Through the generic function pointer type, which every function pointer converts to.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

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
