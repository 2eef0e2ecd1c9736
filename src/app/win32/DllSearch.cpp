#include "app/win32/DllSearch.h"

#include <windows.h>

#include <delayimp.h>

#include <atomic>
#include <cstring>

namespace app {

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// How a delay-loaded DLL's own imports are found once it is loaded by full path. Until the
// search is restricted (and where it cannot be), they are looked for beside the DLL, in the
// system folder, before the program's folder; afterwards the default directories hold.
std::atomic<DWORD> g_loadFlags{LOAD_WITH_ALTERED_SEARCH_PATH};

// Whether the process's manifest binds `name` to a side-by-side assembly.
bool boundSideBySide(const char* name)
{
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    return FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, name,
                                    &data) != FALSE;
}

// Writes the full path of `name` in the system folder into `path`; false when it does not fit.
bool systemPath(const char* name, char* path, std::size_t size)
{
    UINT folder = GetSystemDirectoryA(path, static_cast<UINT>(size));
    std::size_t length = std::strlen(name);
    if (folder == 0 || folder + 1 + length + 1 > size)
        return false;
    path[folder] = '\\';
    std::memcpy(path + folder + 1, name, length + 1);
    return true;
}

// The delay-load helper asks this hook before it loads a DLL; a module handle returned here is
// used as it is, and for a null one the helper calls LoadLibraryA with `info->szDll`.
FARPROC WINAPI loadFromSystemFolder(unsigned notification, PDelayLoadInfo info)
{
    if (notification != dliNotePreLoadLibrary || info == nullptr || info->szDll == nullptr)
        return nullptr;
    // A path would bypass the assembly; by name the loader takes it from there first.
    if (boundSideBySide(info->szDll))
        return nullptr;
    // The helper may retry with `szDll` after this returns, so the path outlives the call.
    thread_local char path[MAX_PATH * 2];
    // Whatever fails here, the helper must not go looking for the bare name: a retry with the
    // full path, or with a name no folder can hold, fails and raises the helper's exception.
    static constexpr char kNowhere[] = "?";
    if (!systemPath(info->szDll, path, sizeof path)) {
        info->szDll = kNowhere;
        return nullptr;
    }
    info->szDll = path;
    HMODULE module = LoadLibraryExA(path, nullptr, g_loadFlags.load());
    return reinterpret_cast<FARPROC>(module);
}

DllSearch restrict(SetDefaultDllDirectoriesFunction setDefaultDllDirectories)
{
    if (setDefaultDllDirectories != nullptr &&
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE) {
        g_loadFlags = 0;
        return DllSearch::systemFolderOnly;
    }
    SetDllDirectoryA("");
    g_loadFlags = LOAD_WITH_ALTERED_SEARCH_PATH;
    return DllSearch::withoutCurrentFolder;
}

} // namespace

DllSearch restrictDllSearch()
{
    // Windows 8 and the 2011 loader update have it; the program must start without it too.
    // kernel32 is a known DLL and already loaded, so asking for it by name is safe.
    FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    return restrict(
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(found)));
}

DllSearch restrictDllSearchWithoutDefaultDirectories()
{
    return restrict(nullptr);
}

} // namespace app

// The delay-load helper's notification hook (a variable it reads by this name); constant-
// initialized, so it holds before any code of the program runs.
extern "C" {
PfnDliHook __pfnDliNotifyHook2 = app::loadFromSystemFolder;
}
