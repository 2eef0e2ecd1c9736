#pragma once
// The system's display scaling, as far as the running Windows offers it. The per-monitor
// functions came with Windows 8.1 (the monitor's dpi) and Windows 10 1607 (a window's dpi,
// metrics and frames for a dpi); each is looked up at run time, and where it is missing the
// answer falls back to the next older one, down to the system-wide dpi that every Windows
// has. The program's manifest declares per-monitor awareness v2, then v1, then system
// awareness, so a window's dpi is its monitor's wherever the system can tell.

#include <windows.h>

namespace ui::win32 {

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
