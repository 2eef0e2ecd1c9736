#include "hotkeys/HookWatch.h"

#include <gtest/gtest.h>

#include <optional>

using hotkeys::HookWatch;

TEST(HookWatch, AHookThatIsCalledIsLeftAlone)
{
    HookWatch watch;
    watch.installed(1000);
    for (std::uint32_t t = 2000; t < 2100; t += 10) {
        watch.hookKeyDown();
        watch.rawKeyDown(t);
    }
    // Raw input first, the hook's call a little later: still in time.
    watch.rawKeyDown(3000);
    EXPECT_EQ(watch.nextCheck(3000), std::optional<std::uint32_t>(HookWatch::kGrace));
    watch.hookKeyDown();
    EXPECT_EQ(watch.nextCheck(3100), std::nullopt);
    EXPECT_FALSE(watch.installDue(9000));
}

TEST(HookWatch, KeysTheHookIsNotCalledForMakeAnInstallDue)
{
    HookWatch watch;
    watch.installed(1000);
    watch.rawKeyDown(5000);
    watch.rawKeyDown(5100);
    EXPECT_FALSE(watch.installDue(5000 + HookWatch::kGrace - 1));
    EXPECT_EQ(watch.nextCheck(5100), std::optional<std::uint32_t>(HookWatch::kGrace - 100));
    EXPECT_TRUE(watch.installDue(5000 + HookWatch::kGrace));
    watch.installed(5300);
    EXPECT_FALSE(watch.installDue(20000));
    EXPECT_EQ(watch.nextCheck(20000), std::nullopt);

    // Right after an installation the next one waits for the gap.
    watch.rawKeyDown(5400);
    EXPECT_EQ(watch.nextCheck(5400), std::optional<std::uint32_t>(HookWatch::kMinInstallGap - 100));
    EXPECT_FALSE(watch.installDue(5300 + HookWatch::kMinInstallGap - 1));
    EXPECT_TRUE(watch.installDue(5300 + HookWatch::kMinInstallGap));

    // The system's milliseconds wrap around.
    HookWatch wrapping;
    wrapping.installed(0xFFFFF000u);
    wrapping.rawKeyDown(0xFFFFFFF0u);
    EXPECT_FALSE(wrapping.installDue(0xFFFFFFF0u + HookWatch::kGrace - 1));
    EXPECT_TRUE(wrapping.installDue(0xFFFFFFF0u + HookWatch::kGrace));
}

TEST(HookWatch, HookCallsThatRawInputNeverReportsDoNotHideAStoppedHookForLong)
{
    HookWatch watch;
    watch.installed(0);
    for (int i = 0; i < 20; ++i)
        watch.hookKeyDown();
    // The hook stops: the first kMaxAhead raw key-downs are taken for those calls.
    for (unsigned i = 0; i < HookWatch::kMaxAhead; ++i)
        watch.rawKeyDown(5000 + i);
    EXPECT_EQ(watch.nextCheck(6000), std::nullopt);
    watch.rawKeyDown(6000);
    EXPECT_TRUE(watch.installDue(6000 + HookWatch::kGrace));
}
