// The keyboard-hook library under Wine: keys typed anywhere on the desktop become messages
// to the window it was given, from the keys of the profile it was given.

#include "WinTestSupport.h"

#include "hotkeys/HookLibrary.h"
#include "hotkeys/HotkeyMatcher.h"

#include <gtest/gtest.h>

#include <vector>

using namespace wintest;

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received> g_received;
std::vector<UINT> g_keysSeen;

LRESULT CALLBACK receiverProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m >= 0x401 && m <= 0x412) {
        g_received.push_back({m, wp, lp});
        return 0;
    }
    if (m == WM_KEYDOWN)
        g_keysSeen.push_back(static_cast<UINT>(wp));
    return DefWindowProcA(w, m, wp, lp);
}

class HookLibrary : public testing::Test {
protected:
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
        ClearTheHook();
        DestroyWindow(m_window);
    }

    void writeProfile(const std::string& keys)
    {
        ASSERT_TRUE(writeFile(m_profile, "[keys]\r\n" + keys));
    }
    bool install()
    {
        auto path = hotkeys::toLengthPrefixed(m_profile);
        return SetTheHook(m_window, path.bytes) != 0;
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

    TempDir m_dir;
    std::string m_profile = m_dir.file("hotkeys.ini");
    HWND m_window = nullptr;
};

} // namespace

TEST_F(HookLibrary, PostsOneMessagePerPressAndPassesKeysOn)
{
    writeProfile("channel1=116\r\ntraypop=117\r\nchannel_up=0x76\r\n");
    ASSERT_TRUE(install());

    key(VK_F5, true);
    key(VK_F5, true); // held: the keyboard repeats
    key(VK_F5, true);
    key(VK_F5, false);
    press(VK_F6);
    press(VK_F7);
    press(VK_F8); // no action
    settle();

    ASSERT_EQ(g_received.size(), 3u);
    EXPECT_EQ(g_received[0].message, 0x403u);
    EXPECT_EQ(g_received[1].message, 0x40Eu);
    EXPECT_EQ(g_received[1].lParam, 1038);
    EXPECT_EQ(g_received[2].message, 0x401u);
    // Every key, hotkey or not, still reached the focused window.
    EXPECT_GE(g_keysSeen.size(), 4u);
}

TEST_F(HookLibrary, ModifierFlagsComeFromTheProfile)
{
    writeProfile("require_ctrl=1\r\nchannel0=116\r\n");
    ASSERT_TRUE(install());
    press(VK_F5); // without Ctrl: nothing
    key(VK_CONTROL, true);
    press(VK_F5);
    key(VK_CONTROL, false);
    settle();
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, 0x40Cu);
}

TEST_F(HookLibrary, KeysSavedLaterTakeEffectWithoutReinstalling)
{
    writeProfile("channel2=116\r\n");
    ASSERT_TRUE(install());
    press(VK_F5);
    settle();
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, 0x404u);

    settle(300); // the library looks at the file at most every 200 ms
    writeProfile("channel2=117\r\ndisconnect=116\r\n");
    settle(300);
    press(VK_F5);
    press(VK_F6);
    settle();
    ASSERT_EQ(g_received.size(), 3u);
    EXPECT_EQ(g_received[1].message, 0x40Du);
    EXPECT_EQ(g_received[2].message, 0x404u);
}

TEST_F(HookLibrary, ClearTheHookStopsTheMessages)
{
    writeProfile("channel3=116\r\n");
    ASSERT_TRUE(install());
    ClearTheHook();
    press(VK_F5);
    settle();
    EXPECT_TRUE(g_received.empty());
    ClearTheHook(); // harmless twice
}

TEST_F(HookLibrary, MissingProfileInstallsWithNoKeys)
{
    auto path = hotkeys::toLengthPrefixed(m_dir.file("none.ini"));
    ASSERT_NE(SetTheHook(m_window, path.bytes), 0);
    press(VK_F5);
    settle();
    EXPECT_TRUE(g_received.empty());
}
