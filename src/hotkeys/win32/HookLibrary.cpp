// kestrihk.dll: the keyboard hook. The hook procedure runs on the thread that installed the
// hook (the program's user-interface thread), so its state needs no locking.

#include "hotkeys/HookLibrary.h"
#include "hotkeys/HotkeyMatcher.h"

#include "profile/Hotkeys.h"

#include <string>

namespace {

HINSTANCE g_module = nullptr;
HHOOK g_hook = nullptr;
HWND g_window = nullptr;
std::string g_profilePath;
hotkeys::HotkeyMatcher g_matcher;

// The profile's identity as last read: when its time or size changes, the keys are read
// again, so that keys saved by the settings dialog take effect at once.
FILETIME g_profileTime{};
ULARGE_INTEGER g_profileSize{};
DWORD g_lastCheck = 0;
constexpr DWORD kCheckInterval = 200; // ms; key presses come far apart compared to a stat

bool profileIdentity(FILETIME& time, ULARGE_INTEGER& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(g_profilePath.c_str(), GetFileExInfoStandard, &data)) {
        time = {};
        size.QuadPart = 0;
        return false;
    }
    time = data.ftLastWriteTime;
    size.HighPart = data.nFileSizeHigh;
    size.LowPart = data.nFileSizeLow;
    return true;
}

void readKeys()
{
    profileIdentity(g_profileTime, g_profileSize);
    try {
        g_matcher.setHotkeys(profile::readHotkeys(g_profilePath));
    } catch (...) {
        // Reading never throws by contract; should it, the keys held so far stay in force.
    }
}

void readKeysIfChanged()
{
    DWORD now = GetTickCount();
    if (now - g_lastCheck < kCheckInterval)
        return;
    g_lastCheck = now;
    FILETIME time;
    ULARGE_INTEGER size;
    profileIdentity(time, size);
    if (CompareFileTime(&time, &g_profileTime) != 0 || size.QuadPart != g_profileSize.QuadPart)
        readKeys();
}

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && g_window) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        if (down)
            readKeysIfChanged();
        hotkeys::KeyEvent event;
        event.code = info->vkCode;
        event.down = down;
        event.time = info->time;
        for (const auto& m : g_matcher.onKey(event))
            PostMessageA(g_window, m.message, 0, m.lParam);
    }
    // Every key goes on to the other programs.
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

extern "C" BOOL WINAPI SetTheHook(HWND window, const unsigned char* lengthPrefixedPath)
{
    ClearTheHook();
    g_window = window;
    g_profilePath = hotkeys::fromLengthPrefixed(lengthPrefixedPath);
    g_matcher = hotkeys::HotkeyMatcher();
    readKeys();
    g_lastCheck = GetTickCount();
    g_hook = SetWindowsHookExA(WH_KEYBOARD_LL, keyboardProc, g_module, 0);
    if (!g_hook)
        g_window = nullptr;
    return g_hook != nullptr;
}

extern "C" void WINAPI ClearTheHook()
{
    if (g_hook)
        UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_window = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
