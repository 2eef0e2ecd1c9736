// The keyboard-hook library under Wine: keys typed anywhere on the desktop become messages
// to the window it was given, from the keys of the profile it was given. The hook lives on a
// thread of its own, which never waits for the window's thread, comes back when it ends, and
// goes with ClearTheHook.

#include "HookFixture.h"
#include "WinTestSupport.h"
#include "base/win32/Handles.h"

#include "hotkeys/HookLibrary.h"
#include "hotkeys/HotkeyMatcher.h"
#include "hotkeys/win32/HookThread.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <set>
#include <thread>
#include <vector>

using namespace wintest;

namespace {

class HookLibrary : public HookFixture {
protected:
    HookLibrary() : HookFixture(&SetTheHook, &ClearTheHook) {}
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
    ASSERT_TRUE(receive(1));
    EXPECT_EQ(g_received[0].message, 0x404u);

    // Changed in place, as an editor saves it: F6 is unassigned until the library has read
    // the file again, then it is the channel's key and F5 disconnects.
    writeProfile("channel2=117\r\ndisconnect=116\r\n");
    ASSERT_TRUE(waitFor([] {
        press(VK_F6);
        return waitFor([] { return g_received.size() > 1; }, std::chrono::milliseconds(100));
    }));
    press(VK_F5);
    ASSERT_TRUE(receive(3));
    EXPECT_EQ(receivedMessages(), (std::vector<UINT>{0x404, 0x404, 0x40D}));
}

TEST_F(HookLibrary, ClearTheHookEndsItsThreadsAndStopsTheMessages)
{
    writeProfile("channel3=116\r\n");
    const std::set<DWORD> before = threads();
    ASSERT_TRUE(install());
    std::set<DWORD> started;
    for (DWORD id : threads())
        if (!before.count(id))
            started.insert(id);
    EXPECT_TRUE(started.count(hookThread())) << "the hook has a thread of its own";
    EXPECT_NE(hookThread(), GetCurrentThreadId());

    ClearTheHook();
    // Once it has returned, every thread it started has ended, and nothing more comes.
    const std::set<DWORD> after = threads();
    for (DWORD id : started)
        EXPECT_FALSE(after.count(id)) << "thread " << id << " is still there";
    EXPECT_EQ(hookThread(), 0u);
    press(VK_F5);
    settle();
    EXPECT_TRUE(g_received.empty());
    ClearTheHook(); // harmless twice
}

TEST_F(HookLibrary, OpeningAnotherProfileLeavesExactlyOneHook)
{
    // File, Open: ClearTheHook, then SetTheHook with the other profile.
    writeProfile("channel1=116\r\n");
    ASSERT_TRUE(install());
    const std::size_t threadCount = threads().size();
    const std::string other = m_dir.file("other.ini");
    ASSERT_TRUE(writeFile(other, "[keys]\r\nchannel2=116\r\n"));
    ClearTheHook();
    auto otherPath = hotkeys::toLengthPrefixed(other);
    ASSERT_NE(SetTheHook(m_window, otherPath.bytes), 0);
    EXPECT_EQ(threads().size(), threadCount);
    press(VK_F5);
    ASSERT_TRUE(receive(1));
    EXPECT_EQ(receivedMessages(), (std::vector<UINT>{0x404}));

    // A second SetTheHook without ClearTheHook replaces the hook as well.
    ASSERT_TRUE(install());
    EXPECT_EQ(threads().size(), threadCount);
    press(VK_F5);
    ASSERT_TRUE(receive(2));
    EXPECT_EQ(receivedMessages(), (std::vector<UINT>{0x404, 0x403}));
}

TEST_F(HookLibrary, KeysPassWhileTheWindowsThreadWaitsAndItsHotkeysWaitInOrder)
{
    writeProfile("channel1=116\r\ntraypop=117\r\nchannel_up=118\r\n");
    ASSERT_TRUE(install());
    // Another thread types while this one, which owns the window, takes no message for longer
    // than any hook time-out of the system.
    std::vector<DWORD> pressTook;
    std::thread typist([&] {
        for (WORD vk : {VK_F5, VK_F8, VK_F6, VK_F7}) {
            DWORD start = GetTickCount();
            press(vk);
            pressTook.push_back(GetTickCount() - start);
        }
    });
    Sleep(2500);
    const DWORD waitEnded = GetTickCount();
    typist.join();
    // No key waited for this thread (a hook on it would hold each for seconds).
    ASSERT_EQ(pressTook.size(), 4u);
    for (DWORD took : pressTook)
        EXPECT_LT(took, 1000u);
    // The hotkeys were posted during the wait and come now: in the order pressed, once each.
    std::vector<UINT> queued;
    MSG msg;
    while (PeekMessageA(&msg, m_window, 0x401, 0x412, PM_REMOVE)) {
        queued.push_back(msg.message);
        EXPECT_GT(static_cast<LONG>(waitEnded - msg.time), 100) << "posted during the wait";
    }
    EXPECT_EQ(queued, (std::vector<UINT>{0x403, 0x40E, 0x401}));
    // And the hook works on after a wait that would have cost a hook on this thread its life.
    press(VK_F5);
    ASSERT_TRUE(receive(1));
    EXPECT_EQ(receivedMessages(), (std::vector<UINT>{0x403}));
}

TEST_F(HookLibrary, AHookWhoseThreadEndsComesBack)
{
    writeProfile("channel1=116\r\n");
    ASSERT_TRUE(install());
    const DWORD first = hookThread();
    ASSERT_NE(first, 0u);
    base::win32::UniqueKernelHandle thread(
        OpenThread(THREAD_TERMINATE | SYNCHRONIZE, FALSE, first));
    ASSERT_TRUE(thread);
    ASSERT_TRUE(TerminateThread(thread.get(), 1)); // and its hook with it
    EXPECT_EQ(WaitForSingleObject(thread.get(), 5000), WAIT_OBJECT_0);
    thread.reset();
    ASSERT_TRUE(waitFor([&] { return hookThread(first) != 0; }));
    press(VK_F5);
    ASSERT_TRUE(receive(1));
    EXPECT_EQ(receivedMessages(), (std::vector<UINT>{0x403}));
}

TEST_F(HookLibrary, ACtrlReleaseTheHookNeverSawDoesNotStick)
{
    writeProfile("channel1=116\r\n"); // plain keys: Ctrl must not be held
    ASSERT_TRUE(install());
    key(VK_CONTROL, true);
    settle();
    // While the hook's thread cannot answer, Wine gives up on the hook for the release (after
    // about 2 s, which SendInput waits), and the hook never hears of it.
    base::win32::UniqueKernelHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, hookThread()));
    ASSERT_TRUE(thread);
    SuspendThread(thread.get());
    key(VK_CONTROL, false);
    ResumeThread(thread.get());
    thread.reset();
    press(VK_F5);
    ASSERT_TRUE(receive(1));
    EXPECT_EQ(receivedMessages(), (std::vector<UINT>{0x403}));
}

TEST_F(HookLibrary, MissingProfileInstallsWithNoKeys)
{
    auto path = hotkeys::toLengthPrefixed(m_dir.file("none.ini"));
    ASSERT_NE(SetTheHook(m_window, path.bytes), 0);
    press(VK_F5);
    settle();
    EXPECT_TRUE(g_received.empty());
}

TEST_F(HookLibrary, AHookLeftIdleForSecondsStillGetsTheNextKey)
{
    writeProfile("channel1=116\r\n");
    ASSERT_TRUE(install());
    // Longer than Wine lets a hook's thread go without taking a message before it passes the
    // hook by; the raw input that the hook's thread takes wakes it just before the hook call.
    settle(6000);
    press(VK_F5);
    ASSERT_TRUE(receive(1));
    EXPECT_EQ(receivedMessages(), (std::vector<UINT>{0x403}));
}
