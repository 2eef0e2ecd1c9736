#include "cli/win32/Win32TopLevelWindows.h"

#include "base/win32/Handles.h"

#include <windows.h>

namespace cli {

namespace {

// The executable of a process; empty when the process is gone or may not be looked at.
// Limited query rights are granted for the processes of the user's own session, elevated
// ones included, and suffice for the image name.
std::string programOf(DWORD processId)
{
    base::win32::UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return {};
    char path[MAX_PATH * 4];
    DWORD size = sizeof path;
    if (!QueryFullProcessImageNameA(process.get(), 0, path, &size))
        return {};
    return std::string(path, size);
}

// What EnumWindows hands each window to: the class looked for, and what was found so far.
struct Walk {
    const std::string& className;
    std::vector<TopLevelWindows::Window> found;
};

BOOL CALLBACK collect(HWND window, LPARAM data)
{
    auto& walk = *reinterpret_cast<Walk*>(data);
    char name[256] = {};
    // Class names are compared without regard to letter case, as the system does.
    if (GetClassNameA(window, name, sizeof name) == 0 ||
        lstrcmpiA(name, walk.className.c_str()) != 0)
        return TRUE;
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0)
        return TRUE;
    // Nothing may unwind through the system's frames: out of memory ends the walk.
    try {
        walk.found.push_back(
            {static_cast<platform::WindowHandle>(reinterpret_cast<std::uintptr_t>(window)),
             processId, programOf(processId)});
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::vector<TopLevelWindows::Window> Win32TopLevelWindows::ofClass(const std::string& className)
{
    // EnumWindows takes its list of the desktop's top-level windows, hidden ones included, at
    // once, so a window that goes meanwhile cannot cut the walk short.
    Walk walk{className, {}};
    EnumWindows(&collect, reinterpret_cast<LPARAM>(&walk));
    return walk.found;
}

} // namespace cli
