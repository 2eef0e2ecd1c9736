// kestrihk.dll: the keyboard hook. SetTheHook starts a session (win32/HookSession.h): the hook
// on a thread of its own, and a thread that re-reads the profile's keys when it changes.
// The exports are called from the program's user-interface thread; a lock keeps calls from
// other threads in order all the same.

#include "hotkeys/HookLibrary.h"
#include "hotkeys/HotkeyMatcher.h"
#include "hotkeys/win32/HookSession.h"

#include <exception>
#include <utility>

namespace {

SRWLOCK g_lock = SRWLOCK_INIT;
// Never destroyed at unload: by then the process ends, and its threads are gone.
hotkeys::win32::HookSession* g_session = nullptr;

// Threads of this library run its code until ClearTheHook, so the library stays loaded from
// the first SetTheHook on, whatever unloads it.
void keepLoaded()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&keepLoaded), &module);
}

void endSession()
{
    delete std::exchange(g_session, nullptr);
}

} // namespace

extern "C" BOOL WINAPI SetTheHook(HWND window, const unsigned char* lengthPrefixedPath)
{
    keepLoaded();
    AcquireSRWLockExclusive(&g_lock);
    endSession();
    try {
        g_session = hotkeys::win32::HookSession::start(
                        window, hotkeys::fromLengthPrefixed(lengthPrefixedPath))
                        .release();
    } catch (const std::exception&) {
        // Out of memory: no hook, which the caller reports.
    }
    BOOL installed = g_session != nullptr;
    ReleaseSRWLockExclusive(&g_lock);
    return installed;
}

extern "C" void WINAPI ClearTheHook()
{
    AcquireSRWLockExclusive(&g_lock);
    endSession();
    ReleaseSRWLockExclusive(&g_lock);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
