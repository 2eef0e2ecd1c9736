// A stand-in for a DLL planted beside a program, built under each system DLL's name. Loaded,
// it leaves a marker file beside itself (its own path + ".loaded"); each function it exports,
// named like the real DLL's, fails and leaves another when the program's own code called it
// (+ ".called-by-program"; under Wine, system DLLs bind to a planted DLL too). Only the
// number of arguments of each must be right, so that the caller's stack stays intact on i686.

#include <windows.h>

namespace {

HINSTANCE g_self = nullptr;

void mark(const char* suffix)
{
    char path[MAX_PATH + 16] = {};
    DWORD n = GetModuleFileNameA(g_self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    lstrcatA(path, suffix);
    HANDLE marker =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
}

// Marks a call that returns to `returnAddress` when that lies in the program's executable.
void markCall(void* returnAddress)
{
    HMODULE caller = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(returnAddress), &caller) &&
        caller == GetModuleHandleA(nullptr))
        mark(".called-by-program");
}

} // namespace

#define STAND_IN(type, name, ...)                                                                  \
    extern "C" __declspec(dllexport) type WINAPI name(__VA_ARGS__)                                 \
    {                                                                                              \
        markCall(__builtin_return_address(0));                                                     \
        return 0;                                                                                  \
    }

STAND_IN(DWORD, GetFileVersionInfoSizeA, LPCSTR, LPDWORD)
STAND_IN(DWORD, GetFileVersionInfoSizeW, LPCWSTR, LPDWORD)
STAND_IN(BOOL, GetFileVersionInfoA, LPCSTR, DWORD, DWORD, LPVOID)
STAND_IN(BOOL, GetFileVersionInfoW, LPCWSTR, DWORD, DWORD, LPVOID)
STAND_IN(BOOL, VerQueryValueA, LPCVOID, LPCSTR, LPVOID*, PUINT)
STAND_IN(BOOL, VerQueryValueW, LPCVOID, LPCWSTR, LPVOID*, PUINT)
STAND_IN(BOOL, PlaySoundA, LPCSTR, HMODULE, DWORD)
STAND_IN(BOOL, InitCommonControlsEx, const void*)
STAND_IN(LONG, CreateStdAccessibleObject, HWND, LONG, const void*, void**)
STAND_IN(LRESULT, LresultFromObject, const void*, WPARAM, void*)
STAND_IN(LONG, AccessibleChildren, void*, LONG, LONG, void*, LONG*)

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        mark(".loaded");
    }
    return TRUE;
}
