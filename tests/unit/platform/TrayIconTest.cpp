#include "platform/TrayIcon.h"

#include "platform/fake/FakeNotificationArea.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using platform::CallLog;
using platform::FakeNotificationArea;
using platform::IconHandle;
using platform::TrayIcon;
using platform::TrayIconData;
using platform::WindowHandle;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

TrayIconData programIcon(const std::string& tip = "Kestrion")
{
    TrayIconData icon;
    icon.window = static_cast<WindowHandle>(7);
    icon.id = 100;
    icon.flags = TrayIconData::MessageFlag | TrayIconData::IconFlag | TrayIconData::TipFlag;
    icon.callbackMessage = 0x40E;
    icon.icon = static_cast<IconHandle>(0x100);
    icon.tip = tip;
    return icon;
}

const char* const Added = "tray add 7 100 flags=7 message=0x40E icon=256 tip=\"Kestrion\"";
const char* const Modified = "tray modify 7 100 flags=7 message=0x40E icon=256 tip=\"Kestrion\"";
const char* const Removed = "tray remove 7 100";

} // namespace

TEST(TrayIcon, ShowsOnceAndIsRemovedWhenItsOwnerGoes)
{
    CallLog log;
    FakeNotificationArea area(log);
    {
        TrayIcon tray(area);
        EXPECT_TRUE(tray.show(programIcon(std::string(70, 'K'))));
        ASSERT_EQ(area.icons().size(), 1u);
        EXPECT_EQ(area.icons()[0].tip, std::string(63, 'K'));

        // Showing the same window's icon again changes it in place.
        EXPECT_TRUE(tray.show(programIcon()));
        EXPECT_EQ(area.icons().size(), 1u);
        EXPECT_EQ(area.icons()[0].tip, "Kestrion");
    }
    EXPECT_THAT(area.icons(), IsEmpty());
    EXPECT_THAT(log, ElementsAre("tray add 7 100 flags=7 message=0x40E icon=256 tip=\"" +
                                     std::string(63, 'K') + "\"",
                                 Modified, Removed));
}

TEST(TrayIcon, HideRemovesOnceAndNeverTouchesAnIconNotShown)
{
    CallLog log;
    FakeNotificationArea area(log);
    {
        TrayIcon never(area);
        EXPECT_TRUE(never.hide());
        EXPECT_FALSE(never.showAgain()) << "nothing to show again";
    }
    EXPECT_THAT(log, IsEmpty());

    TrayIcon tray(area);
    tray.show(programIcon());
    EXPECT_TRUE(tray.hide());
    EXPECT_TRUE(tray.hide());
    EXPECT_FALSE(tray.meantToBeShown());
    EXPECT_THAT(log, ElementsAre(Added, Removed));
}

TEST(TrayIcon, ShowsAgainAfterTheShellRestarted)
{
    struct Case {
        const char* situation;
        std::function<void(FakeNotificationArea&)> between;
        std::vector<std::string> calls; // for showAgain
        std::size_t iconsAfter;
    };
    const Case cases[] = {
        {"the shell restarted and lost the icon",
         [](FakeNotificationArea& area) { area.restartShell(); },
         {Added},
         1},
        {"the icon survived (the message came without a restart)",
         [](FakeNotificationArea&) {},
         {Added, Modified},
         1},
        {"the shell is still not running",
         [](FakeNotificationArea& area) {
             area.restartShell();
             area.shellRunning = false;
         },
         {Added, Modified},
         0},
    };
    for (const auto& c : cases) {
        CallLog log;
        FakeNotificationArea area(log);
        TrayIcon tray(area);
        ASSERT_TRUE(tray.show(programIcon()));
        c.between(area);
        log.clear();
        EXPECT_EQ(tray.showAgain(), c.iconsAfter == 1) << c.situation;
        EXPECT_EQ(log, c.calls) << c.situation;
        EXPECT_EQ(area.icons().size(), c.iconsAfter) << c.situation;
        area.shellRunning = true;
    }
}

TEST(TrayIcon, AnIconRefusedAtStartAppearsOnceTheShellIsThere)
{
    CallLog log;
    FakeNotificationArea area(log);
    area.shellRunning = false;
    TrayIcon tray(area);
    EXPECT_FALSE(tray.show(programIcon()));
    EXPECT_TRUE(tray.meantToBeShown());

    area.shellRunning = true;
    EXPECT_TRUE(tray.showAgain());
    EXPECT_EQ(area.icons().size(), 1u);
    EXPECT_THAT(log, ElementsAre(Added, Modified, Added));
}

TEST(TrayIcon, ShowingAnotherWindowsIconReplacesTheFirst)
{
    CallLog log;
    FakeNotificationArea area(log);
    TrayIcon tray(area);
    tray.show(programIcon());
    TrayIconData other = programIcon();
    other.window = static_cast<WindowHandle>(8);
    EXPECT_TRUE(tray.show(other));
    ASSERT_EQ(area.icons().size(), 1u);
    EXPECT_EQ(area.icons()[0].window, static_cast<WindowHandle>(8));
    tray.hide();
    EXPECT_THAT(area.icons(), IsEmpty());
}

TEST(FakeNotificationArea, ModifyChangesOnlyTheFlaggedFields)
{
    CallLog log;
    FakeNotificationArea area(log);
    ASSERT_TRUE(area.add(programIcon()));
    TrayIconData tipOnly = programIcon("Stand by");
    tipOnly.flags = TrayIconData::TipFlag;
    tipOnly.icon = IconHandle::None;
    tipOnly.callbackMessage = 0;
    ASSERT_TRUE(area.modify(tipOnly));
    auto shown = area.icon(static_cast<WindowHandle>(7), 100);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->tip, "Stand by");
    EXPECT_EQ(shown->icon, static_cast<IconHandle>(0x100));
    EXPECT_EQ(shown->callbackMessage, 0x40Eu);
    EXPECT_FALSE(area.add(programIcon())) << "one icon per window and id";
}
