// The settings dialog opened from the real main window, as real windows, with the real
// services and the client simulator as the voice client: a key captured by pressing it, a
// channel added, OK; the profile file and the main window's Initial Channel menu then hold
// the new channel, and the key acts at the next press through the hook the main window
// installed at start.

#include "app/MainForm.h"
#include "app/win32/Program.h"
#include "i18n/bsCorePolyglot.h"
#include "platform/win32/Win32Services.h"
#include "profile/IniFile.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"
#include "ui/Application.h"
#include "ui/Edit.h"
#include "ui/Menu.h"
#include "ui/TrackBar.h"
#include "ui/win32/Win32Backend.h"

#include "UiDriver.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wintest;
using ui::win32::windowHandle;

TEST(SettingsFromMainWindow, ACapturedKeyAndANewChannelReachTheProfileAndTheMenu)
{
    TempDir dir;
    const std::string program = dir.file("kestrion.exe");
    const std::string profilePath = dir.file("kestrion.ini");
    ASSERT_TRUE(writeFile(profilePath, "[channels]\r\ncount=2\r\ndefault=2\r\nchannel1=Alpha\r\n"
                                       "channel2=Bravo\r\n[options]\r\nsounds=0\r\n"));
    setClientAppPath(ClientSimulator::exePath());
    SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", dir.file("client.log").c_str());

    // The program's start, as WinMain makes it, with the program in the test's folder.
    app::Program running(GetModuleHandleA(nullptr), program);
    ui::Application& app = running.application();
    app::TMainForm& main = running.mainForm();
    ASSERT_FALSE(app.terminated()); // the client started
    ASSERT_EQ(main.ChannelBar->position(), 2);

    bool scriptRan = false;
    whenShown([&] {
        scriptRan = true;
        profile::TSettingsDlg* dlg = openForm<profile::TSettingsDlg>(app);
        ASSERT_NE(dlg, nullptr);
        screenshot(app, "Channel Settings", "settings-from-main-window.png");
        // F5 into the key field of "Channel2".
        dlg->KeyEdits[2]->setFocus();
        EXPECT_EQ(pressKeys(app, "Channel Settings", "F5"), 0);
        EXPECT_TRUE(pumpUntil(app, [&] { return dlg->KeyEdits[2]->text() == "116"; }));
        // A new channel, typed into the name field, then "+" and OK.
        dlg->ChannelNameEdit->setFocus();
        SendMessageA(windowHandle(*dlg->ChannelNameEdit), EM_SETSEL, 0, -1);
        EXPECT_EQ(runOnHost(app, "xdotool type --delay 30 Echo"), 0);
        EXPECT_TRUE(pumpUntil(app, [&] { return dlg->ChannelNameEdit->text() == "Echo"; }));
        SendMessageA(windowHandle(*dlg->Button3), BM_CLICK, 0, 0);
        SendMessageA(windowHandle(*dlg->OkBtn), BM_CLICK, 0, 0);
    });
    // The menu command of "&Set Channels && Keys...", as the system reports a choice.
    SendMessageA(windowHandle(main), WM_COMMAND, MAKEWPARAM(main.SetChannels1->command(), 0), 0);
    ASSERT_TRUE(scriptRan);
    EXPECT_EQ(openForm<profile::TSettingsDlg>(app), nullptr); // freed after it closed

    EXPECT_EQ(profile::readText(profilePath, "channels", "channel3", ""), "Echo");
    EXPECT_EQ(profile::readInteger(profilePath, "channels", "count", 0), 3);
    EXPECT_EQ(profile::readInteger(profilePath, "keys", "channel2", 0), 116);
    // The Initial Channel menu lists it, as the real menu shows it.
    HMENU menu = GetMenu(windowHandle(main));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(main.InitialChannel1->count(), 7);
    EXPECT_NE(main.InitialChannel1->item(6)->caption().find("3 - Echo"), std::string::npos);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    char text[64] = {};
    info.dwTypeData = text;
    info.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(menu, main.InitialChannel1->item(6)->command(), FALSE, &info));
    EXPECT_NE(std::string(text).find("3 - Echo"), std::string::npos) << text;
    EXPECT_EQ(main.ChannelBar->max(), 3);

    // The key saved acts, without a new hook: F5 typed into the client's window joins
    // channel 2 once more. The hook thread takes the saved keys once the hook library has
    // seen the profile change and read it again, a moment after OK (up to its poll interval
    // when the folder's report comes late, as it does on a loaded machine); a press before
    // that acts by the old keys. So F5 is pressed again while it has not joined, and every
    // press that joins joins once.
    const std::string log = dir.file("client.log");
    auto bravoJoins = [&] {
        auto lines = logLines(log);
        return std::count(lines.begin(), lines.end(), "COPYDATA 254 /join1 127.0.0.1/BRAVO ");
    };
    const auto joinedBefore = bravoJoins();
    for (int press = 0; press < 4 && bravoJoins() == joinedBefore; ++press) {
        EXPECT_EQ(pressKeys(app, "Roger Wilco", "F5"), 0);
        pumpUntil(
            app, [&] { return bravoJoins() > joinedBefore; }, 3000);
    }
    EXPECT_EQ(bravoJoins(), joinedBefore + 1);
    pumpUntil(
        app, [&] { return bravoJoins() > joinedBefore + 1; }, 500); // no second join
    EXPECT_EQ(bravoJoins(), joinedBefore + 1);

    // The client the program started goes with the test.
    if (HWND client = FindWindowA("#32770", "Roger Wilco"))
        PostMessageA(client, WM_CLOSE, 0, 0);
    removeClientAppPath();
}
