// Calls into every DLL that the program delay-loads, and loads one more by name as system
// DLLs load theirs, after restricting the DLL search as the program does ("restricted") or as
// on a Windows without SetDefaultDllDirectories ("fallback"); or, with nothing restricted,
// loads each of them by name ("unguarded"). Prints "name=path" for each of those DLLs, the
// path being the file it was loaded from.

#include "app/win32/DllSearch.h"

#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <oleacc.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const char* const names[] = {"version.dll", "winmm.dll", "comctl32.dll", "dwmapi.dll",
                                 "oleacc.dll"};
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "unguarded") == 0) {
        for (const char* name : names)
            LoadLibraryA(name);
    } else {
        if (std::strcmp(mode, "fallback") == 0)
            app::restrictDllSearchWithoutDefaultDirectories();
        else
            app::restrictDllSearch();
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        DWORD unused = 0;
        GetFileVersionInfoSizeA(self, &unused);
        PlaySoundA(nullptr, nullptr, 0);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        LresultFromObject(IID_NULL, 0, nullptr);
        LoadLibraryA(names[3]);
    }
    for (const char* name : names) {
        char path[MAX_PATH] = {};
        if (HMODULE module = GetModuleHandleA(name))
            GetModuleFileNameA(module, path, MAX_PATH);
        std::printf("%s=%s\n", name, path);
    }
    return 0;
}
