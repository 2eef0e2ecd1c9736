// The keyboard-hook library meeting what a real run may bring, through its test build
// (kestrihk_faulty.dll: the same code with fault-injection points): an exception on the watch
// thread (a profile read that runs out of memory) or on the hook thread keeps the hotkeys
// working and never ends the program; a watch thread stuck in a read does not keep
// ClearTheHook from returning.

#include "HookFixture.h"
#include "WinTestSupport.h"

#include "hotkeys/win32/FaultInjection.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace wintest;
using hotkeys::win32::fault::Kind;
using hotkeys::win32::fault::Point;

namespace {

using InjectFunction = void(WINAPI*)(int, int);

HMODULE faultyLibrary()
{
    static HMODULE library = LoadLibraryA((exeDir() + "kestrihk_faulty.dll").c_str());
    return library;
}

template <class Function>
Function exported(const char* name)
{
    HMODULE library = faultyLibrary();
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}

class HookFaults : public HookFixture {
protected:
    HookFaults()
        : HookFixture(exported<SetTheHookFunction>("SetTheHook"),
                      exported<ClearTheHookFunction>("ClearTheHook"))
    {
    }
    void SetUp() override
    {
        HookFixture::SetUp();
        ASSERT_NE(m_setTheHook, nullptr) << "kestrihk_faulty.dll is missing";
        ASSERT_NE(m_inject, nullptr);
    }
    void inject(Point point, Kind kind)
    {
        m_inject(static_cast<int>(point), static_cast<int>(kind));
    }
    // Presses the key until a message comes (the library takes new keys a moment after a
    // save); false when none came within the time.
    static bool pressUntilReceived(WORD vk)
    {
        const std::size_t before = g_received.size();
        return waitFor([&] {
            press(vk);
            return waitFor([&] { return g_received.size() > before; },
                           std::chrono::milliseconds(100));
        });
    }

    InjectFunction m_inject = exported<InjectFunction>("KestrihkInjectFault");
};

} // namespace

TEST_F(HookFaults, AnExceptionWhileTheWatchReadsKeepsTheKeysAndTheWatchGoesOn)
{
    writeProfile("channel1=116\r\n");
    ASSERT_TRUE(install());
    ASSERT_TRUE(pressUntilReceived(VK_F5));

    // Every read that follows this save runs out of memory: the keys in force stay.
    inject(Point::WatchRead, Kind::Throw);
    writeProfile("channel1=117\r\n");
    settle(2500);
    g_received.clear();
    press(VK_F5);
    ASSERT_TRUE(receive(1));
    EXPECT_EQ(g_received[0].message, 0x403u);

    // The watch went on: once reads work again, the next save takes effect.
    inject(Point::WatchRead, Kind::None);
    writeProfile("channel2=118\r\n");
    ASSERT_TRUE(pressUntilReceived(VK_F7));
    EXPECT_EQ(g_received.back().message, 0x404u);
}

TEST_F(HookFaults, AnExceptionOnTheHookThreadEndsThatThreadAloneAndANewOneTakesOver)
{
    writeProfile("channel1=116\r\n");
    ASSERT_TRUE(install());
    ASSERT_TRUE(pressUntilReceived(VK_F5));
    const DWORD first = hookThread();
    ASSERT_NE(first, 0u);

    // The hook thread meets an exception as it takes the new keys: it ends, and the watch
    // starts another with the keys it read.
    inject(Point::HookMail, Kind::Throw);
    writeProfile("channel3=117\r\n");
    EXPECT_TRUE(waitFor([&] { return hookThread() != 0 && hookThread() != first; },
                        std::chrono::seconds(5)));
    inject(Point::HookMail, Kind::None);
    ASSERT_TRUE(pressUntilReceived(VK_F6));
    EXPECT_EQ(g_received.back().message, 0x405u);
}

TEST_F(HookFaults, ClearTheHookReturnsInBoundedTimeWithTheWatchStuckInARead)
{
    writeProfile("channel1=116\r\n");
    ASSERT_TRUE(install());
    ASSERT_TRUE(pressUntilReceived(VK_F5));

    inject(Point::WatchRead, Kind::Block);
    writeProfile("channel1=117\r\n");
    // The watch is now in its read, which nothing answers: the new key does not come in.
    settle(1500);
    g_received.clear();
    press(VK_F6);
    press(VK_F5);
    ASSERT_TRUE(receive(1));
    EXPECT_EQ(g_received.size(), 1u);

    const auto start = std::chrono::steady_clock::now();
    m_clearTheHook();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    EXPECT_LT(took.count(), 6000);
    // Nothing more comes, and no hook thread is left.
    EXPECT_EQ(hookThread(), 0u);
    g_received.clear();
    press(VK_F5);
    press(VK_F6);
    settle(300);
    EXPECT_TRUE(g_received.empty());
}
