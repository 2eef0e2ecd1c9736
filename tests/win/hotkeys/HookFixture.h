#pragma once
// The fixture of the keyboard-hook library's Windows tests.

#include "WinTestSupport.h"
#include "base/win32/Handles.h"

#include "hotkeys/HotkeyMatcher.h"
#include "hotkeys/win32/HookThread.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <set>
#include <string>
#include <vector>

namespace wintest {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
inline std::vector<Received> g_received;
inline std::vector<UINT> g_keysSeen;

inline LRESULT CALLBACK receiverProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m >= 0x401 && m <= 0x412) {
        g_received.push_back({m, wp, lp});
        return 0;
    }
    if (m == WM_KEYDOWN)
        g_keysSeen.push_back(static_cast<UINT>(wp));
    return DefWindowProcA(w, m, wp, lp);
}

// A window that receives the library's messages, a profile, and the library's two exports,
// which the test gives (the program's library, bound at load time, or a test build loaded by
// name).
class HookFixture : public testing::Test {
protected:
    using SetTheHookFunction = BOOL(WINAPI*)(HWND, const unsigned char*);
    using ClearTheHookFunction = void(WINAPI*)();
    HookFixture(SetTheHookFunction set, ClearTheHookFunction clear)
        : m_setTheHook(set), m_clearTheHook(clear)
    {
    }

    void SetUp() override
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = receiverProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HookReceiver";
        RegisterClassA(&wc);
        m_window = CreateWindowExA(0, "HookReceiver", "receiver", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   10, 10, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(m_window, nullptr);
        SetForegroundWindow(m_window);
        SetFocus(m_window);
        g_received.clear();
        g_keysSeen.clear();
    }
    void TearDown() override
    {
        if (m_clearTheHook)
            m_clearTheHook();
        DestroyWindow(m_window);
    }

    void writeProfile(const std::string& keys)
    {
        ASSERT_TRUE(writeFile(m_profile, "[keys]\r\n" + keys));
    }
    bool install()
    {
        auto path = hotkeys::toLengthPrefixed(m_profile);
        return m_setTheHook && m_setTheHook(m_window, path.bytes) != 0;
    }

    static void key(WORD vk, bool down)
    {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &in, sizeof in);
    }
    static void press(WORD vk)
    {
        key(vk, true);
        key(vk, false);
    }
    // Handles messages for a while, so that the hook runs and posted messages arrive.
    static void settle(int ms = 150)
    {
        waitFor([] { return false; }, std::chrono::milliseconds(ms));
    }
    // Handles messages until `count` hotkey messages have come, and a little longer, so that
    // any that should not come would be there too.
    static bool receive(std::size_t count)
    {
        bool got = waitFor([&] { return g_received.size() >= count; });
        settle();
        return got;
    }
    static std::vector<UINT> receivedMessages()
    {
        std::vector<UINT> out;
        for (const auto& r : g_received)
            out.push_back(r.message);
        return out;
    }

    // The threads of this process.
    static std::set<DWORD> threads()
    {
        std::set<DWORD> ids;
        base::win32::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot.get(), &entry); more;
             more = Thread32Next(snapshot.get(), &entry))
            if (entry.th32OwnerProcessID == GetCurrentProcessId())
                ids.insert(entry.th32ThreadID);
        return ids;
    }
    // The thread that owns the hook: the one with the library's message-only window (any but
    // `other`); 0 when there is none.
    static DWORD hookThread(DWORD other = 0)
    {
        for (HWND w = nullptr;
             (w = FindWindowExA(HWND_MESSAGE, w, hotkeys::win32::kWatchWindowClass, nullptr));) {
            DWORD id = GetWindowThreadProcessId(w, nullptr);
            if (id != other)
                return id;
        }
        return 0;
    }

    SetTheHookFunction m_setTheHook;
    ClearTheHookFunction m_clearTheHook;
    TempDir m_dir;
    std::string m_profile = m_dir.file("hotkeys.ini");
    HWND m_window = nullptr;
};

} // namespace wintest
