// The main window, run headlessly over fake services: start-up, the hotkey and tray
// messages, the menus, opening another profile, the settings and the stop. The languages
// are in MainFormLanguagesTest.cpp.

#include "MainFormFixture.h"

#include "i18n/bsINIFile.h"
#include "ui/Keys.h"
#include "ui/Text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using app::TMainForm;
using namespace mainformtest;
using testing::ElementsAre;
using testing::IsEmpty;
namespace fs = std::filesystem;

TEST_F(MainFormTest, StartsWithoutAnyProfileOnTheLobbyOfOneDefaultChannel)
{
    TMainForm& f = start();
    EXPECT_EQ(f.caption(), "Quorbit's RW Corvandial");
    EXPECT_EQ(f.Profile.ChannelNames, (std::vector<std::string>{"DEFAULT"}));
    EXPECT_EQ(f.Profile.ProfilePath, homeProfile);
    EXPECT_THAT(hook.calls, ElementsAre("set 4660 " + homeProfile));
    EXPECT_TRUE(f.Hooked);
    // The client is started with empty arguments, then the lobby is joined.
    ASSERT_FALSE(fakes.processes.launches().empty());
    EXPECT_EQ(fakes.processes.launches()[0].commandLine, "\"" + ClientPath + "\" ");
    EXPECT_THAT(commands(), ElementsAre("/join1 127.0.0.1/ "));
    EXPECT_EQ(f.ChannelLCD->Caption(), "Default");
    EXPECT_EQ(f.ChannelBar->max(), 1);
    EXPECT_EQ(f.ChannelBar->position(), 0);
    EXPECT_TRUE(f.Default1->checked());
    EXPECT_THAT(sounds(), ElementsAre("Stsnd02"));
    // The tray icon: window, id 100, message, icon and tooltip, callback 0x40E, the title.
    ASSERT_EQ(fakes.tray.icons().size(), 1u);
    const auto& icon = fakes.tray.icons()[0];
    EXPECT_EQ(icon.window, MainWindow);
    EXPECT_EQ(icon.id, 100u);
    EXPECT_EQ(icon.flags, 7u);
    EXPECT_EQ(icon.callbackMessage, 0x40Eu);
    EXPECT_NE(icon.icon, platform::IconHandle::None);
    EXPECT_EQ(icon.tip, "Kestrion");
    EXPECT_TRUE(f.visible());
    EXPECT_THAT(backend.messageBoxes(), IsEmpty());
}

TEST_F(MainFormTest, StartJoinsTheInitialChannelOfTheLastProfileWithTheClientFile)
{
    write(file("team.ini"), TwoChannels);
    write(file("client.rwc"), "x");
    write(homeProfile, "[options]\r\nlast_ini=" + file("team.ini") +
                           "\r\nuse_rwc=" + file("client.rwc") + "\r\n");
    TMainForm& f = start();
    EXPECT_EQ(f.caption(), "Quorbit's RW Corvandial [team.ini]");
    EXPECT_EQ(fakes.processes.launches()[0].commandLine,
              "\"" + ClientPath + "\" /file " + file("client.rwc"));
    std::string upperFile = file("client.rwc");
    for (char& c : upperFile)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    EXPECT_THAT(commands(), ElementsAre("/join1 10.1.1.5/BRAVO /FILE " + upperFile + " pw"));
    EXPECT_EQ(f.ChannelLCD->Caption(), "Bravo");
    EXPECT_EQ(f.ChannelBar->position(), 2);
    // Channel 2's sound is a file that does not exist: the system beep.
    EXPECT_THAT(sounds(), ElementsAre("beep"));
    ASSERT_EQ(f.InitialChannel1->count(), 6);
    EXPECT_TRUE(f.InitialChannel1->item(5)->checked());
    EXPECT_EQ(f.InitialChannel1->item(5)->tag(), 2);
}

TEST_F(MainFormTest, InitialChannelVariants)
{
    struct Case {
        std::string channels;
        bool joins;
        std::string lcd;
        bool none, lobby;
    };
    const Case cases[] = {
        {"count=3\r\ndefault=7\r\n", true, "Default", false, true},
        {"count=3\r\ndefault=-1\r\n", false, "Standing by...", true, false},
        {"count=0\r\ndefault=0\r\n", true, "Default", false, true},
    };
    for (const auto& c : cases) {
        write(homeProfile, "[channels]\r\n" + c.channels);
        clearRecords();
        TMainForm& f = start();
        EXPECT_EQ(newCommands().size(), c.joins ? 1u : 0u) << c.channels;
        EXPECT_EQ(f.ChannelLCD->Caption(), c.lcd) << c.channels;
        EXPECT_EQ(f.None1->checked(), c.none) << c.channels;
        EXPECT_EQ(f.Default1->checked(), c.lobby) << c.channels;
        EXPECT_EQ(f.ChannelBar->position(), 0) << c.channels;
        ui::destroy(form->SoundsDlg);
        ui::destroy(form);
        form = nullptr;
    }
}

TEST_F(MainFormTest, HideAtStartKeepsTheWindowInTheTray)
{
    write(homeProfile, "[options]\r\nhide_at_start=1\r\n");
    TMainForm& f = start();
    EXPECT_FALSE(f.visible());
    EXPECT_TRUE(f.HideonStart1->checked());
    EXPECT_EQ(fakes.tray.icons().size(), 1u);
}

TEST_F(MainFormTest, AFailedHookIsReportedAndTheProgramGoesOn)
{
    hook.succeeds = false;
    TMainForm& f = start();
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    EXPECT_EQ(backend.messageBoxes()[0].text,
              "Unable to hook keyboard. Hotkeys will be unavailable.");
    EXPECT_EQ(backend.messageBoxes()[0].caption, "Error!");
    EXPECT_EQ(backend.messageBoxes()[0].icon, ui::MessageIcon::Error);
    EXPECT_FALSE(f.Hooked);
    EXPECT_EQ(commands().size(), 1u);
    ui::destroy(form);
    form = nullptr;
    EXPECT_THAT(hook.calls, ElementsAre(testing::StartsWith("set ")));
}

TEST_F(MainFormTest, AClientThatCannotBeStartedEndsTheProgram)
{
    fakes.registry.removeKey(platform::RootKey::LocalMachine, AppPaths);
    start();
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    EXPECT_EQ(backend.messageBoxes()[0].text,
              "Unable to start RW.\r\nPlease check that it is installed correctly\r\nand that the "
              "App Path Registry Entry for roger.exe exists.");
    EXPECT_EQ(backend.messageBoxes()[0].caption, "Error Detected");
    EXPECT_TRUE(application.terminated());
    EXPECT_THAT(fakes.tray.icons(), IsEmpty());
    EXPECT_THAT(commands(), IsEmpty());
    ui::destroy(form);
    form = nullptr;
    EXPECT_THAT(hook.calls, ElementsAre(testing::StartsWith("set "), "clear"));
}

TEST_F(MainFormTest, ChannelHotkeysMoveTheBarAndJoinOnce)
{
    write(homeProfile, "[channels]\r\ncount=3\r\ndefault=0\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n"
                       "channel3=Charlie\r\n[host]\r\naddress=h\r\n");
    TMainForm& f = start();
    struct Case {
        std::uint32_t message;
        std::vector<std::string> commands;
        std::int32_t position;
        std::vector<std::string> sounds;
    };
    const Case cases[] = {
        {0x403, {"/join1 h/ALPHA "}, 1, {"Stsnd02"}},
        {0x405, {"/join1 h/CHARLIE "}, 3, {"Stsnd02"}},
        {0x401, {}, 3, {"Stsnd01"}}, // up at the last channel
        {0x402, {"/join1 h/BRAVO "}, 2, {"Stsnd02"}},
        {0x406, {}, 2, {}},                           // channel 4 does not exist
        {0x40B, {}, 2, {}},                           // nor channel 9
        {0x404, {"/join1 h/BRAVO "}, 2, {"Stsnd02"}}, // already there: joins again
        {0x40C, {"/join1 h/ "}, 0, {"Stsnd02"}},
        {0x40C, {"/join1 h/ "}, 0, {"Stsnd02"}}, // the lobby again
        {0x402, {}, 0, {"Stsnd01"}},             // down at the lobby
        {0x401, {"/join1 h/ALPHA "}, 1, {"Stsnd02"}},
    };
    for (const auto& c : cases) {
        clearRecords();
        auto soundsBefore = sounds().size();
        send(c.message);
        EXPECT_EQ(newCommands(), c.commands) << std::hex << c.message;
        EXPECT_EQ(f.ChannelBar->position(), c.position) << std::hex << c.message;
        auto all = sounds();
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(soundsBefore),
                                           all.end()),
                  c.sounds)
            << std::hex << c.message;
    }
}

TEST_F(MainFormTest, DisconnectLeavesTheChannelByItsStoredName)
{
    write(homeProfile,
          "[channels]\r\ncount=2\r\ndefault=0\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n");
    TMainForm& f = start();
    clearRecords();
    send(0x40D);
    EXPECT_THAT(newCommands(), ElementsAre("/leave DEFAULT"));
    EXPECT_EQ(f.LastChannel, -1);
    send(0x404);
    clearRecords();
    send(0x40D);
    EXPECT_THAT(newCommands(), ElementsAre("/leave Bravo"));
    EXPECT_EQ(f.ChannelLCD->Caption(), "Standing by...");
    EXPECT_EQ(f.ChannelBar->position(), 2);
    // After a disconnect a scroll that leaves the thumb where it is joins again.
    clearRecords();
    ui::headless::scroll(*f.ChannelBar, 2);
    EXPECT_THAT(newCommands(), ElementsAre("/join1 127.0.0.1/BRAVO "));
    clearRecords();
    ui::headless::scroll(*f.ChannelBar, 2);
    EXPECT_THAT(newCommands(), IsEmpty());
}

TEST_F(MainFormTest, VolumeAndGainStepsStayInRangeAndClickWhenSoundsAreOn)
{
    struct Case {
        std::int32_t start;
        std::uint32_t message;
        std::string command;
        std::int32_t after;
    };
    const Case cases[] = {
        {128, 0x40F, "/volume 133", 133},
        {253, 0x40F, "/volume 255", 255},
        {255, 0x40F, "/volume 255", 255},
        {4, 0x410, "/volume 1", 1},
        {1, 0x410, "/volume 1", 1},
        {300, 0x410, "/volume 295", 295},
        {300, 0x40F, "/volume 255", 255},
        {128, 0x411, "/gain 133", 133},
        {6, 0x412, "/gain 1", 1},
        // Registry values are taken as they are, the extremes of 32 bits included.
        {INT32_MAX, 0x40F, "/volume 255", 255},
        {INT32_MAX - 2, 0x411, "/gain 255", 255},
        {INT32_MIN, 0x410, "/volume 1", 1},
        {INT32_MIN + 3, 0x412, "/gain 1", 1},
        {INT32_MAX, 0x410, "/volume 2147483642", 2147483642},
        {INT32_MIN, 0x411, "/gain -2147483643", -2147483643},
    };
    TMainForm& f = start();
    for (const auto& c : cases) {
        std::int32_t& value = c.message <= 0x410 ? f.PlayVolume : f.RecordVolume;
        value = c.start;
        clearRecords();
        auto soundsBefore = sounds().size();
        send(c.message);
        EXPECT_THAT(newCommands(), ElementsAre(c.command));
        EXPECT_EQ(value, c.after);
        EXPECT_EQ(sounds().size(), soundsBefore + 1);
        EXPECT_EQ(sounds().back(), "Stsnd02");
    }
}

TEST_F(MainFormTest, SoundsOffSilenceSwitchesErrorsAndSteps)
{
    write(homeProfile, "[options]\r\nsounds=0\r\n[channels]\r\ncount=0\r\n");
    TMainForm& f = start();
    EXPECT_TRUE(f.DisableSounds1->checked());
    send(0x401);
    send(0x40F);
    send(0x40C);
    EXPECT_THAT(sounds(), IsEmpty());
}

TEST_F(MainFormTest, VolumesStartFromTheClientsSettings)
{
    fakes.registry.setDword(platform::RootKey::CurrentUser, "Software\\Resounding\\Roger Wilco",
                            "play_vol", 300);
    fakes.registry.setDword(platform::RootKey::CurrentUser, "Software\\Resounding\\Roger Wilco",
                            "rec_vol", 20);
    TMainForm& f = start();
    EXPECT_EQ(f.PlayVolume, 300);
    EXPECT_EQ(f.RecordVolume, 20);
}

TEST_F(MainFormTest, AFailedJoinPlaysTheErrorSound)
{
    write(homeProfile, "[channels]\r\ncount=1\r\nchannel1=Alpha\r\n[sounds]\r\nerror=default\r\n");
    TMainForm& f = start();
    fakes.windows.copyDataSucceeds = false;
    auto before = sounds().size();
    send(0x403);
    EXPECT_EQ(f.ChannelLCD->Caption(), "Alpha");
    ASSERT_EQ(sounds().size(), before + 1);
    EXPECT_EQ(sounds().back(), "Stsnd01");
}

TEST_F(MainFormTest, TrayMessagesShowHideAndPopTheMenu)
{
    TMainForm& f = start();
    ASSERT_TRUE(f.visible());
    // What happens around the menu, in order: the window is brought to the front before it
    // opens, and an empty message (WM_NULL) is posted once it has closed.
    std::vector<std::string> events;
    f.setMessageHandler(0, [&](const ui::Message&) { events.push_back("null"); });

    fakes.desktop.foreground = platform::WindowHandle::None;
    send(0x40E, 0x203); // double click: hide, and nothing comes to the front
    EXPECT_FALSE(f.visible());
    EXPECT_EQ(fakes.desktop.foreground, platform::WindowHandle::None);
    send(0x40E, 0x203); // and show again, in front
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(fakes.desktop.foreground, MainWindow);
    EXPECT_THAT(events, IsEmpty());

    fakes.desktop.cursor = platform::ScreenPoint{300, 400};
    std::vector<std::string> restoreCaptions;
    backend.answerPopupMenus([&](ui::PopupMenu&, int, int) -> ui::MenuItem* {
        restoreCaptions.push_back(f.Restore1->caption());
        events.push_back(fakes.desktop.foreground == MainWindow ? "menu in front" : "menu");
        fakes.desktop.foreground = platform::WindowHandle::None;
        return nullptr;
    });
    send(0x40E, 0x204);
    send(0x40E, 1038);
    send(0x40E, 0x205); // right button up: nothing
    send(0x40E, 0x200); // mouse move: nothing
    EXPECT_EQ(backend.popupPoints(), (std::vector<std::pair<int, int>>{{300, 400}, {300, 400}}));
    EXPECT_THAT(restoreCaptions, ElementsAre("&Hide", "&Hide"));
    EXPECT_THAT(events, ElementsAre("menu in front", "null", "menu in front", "null"));
    send(0x40E, 0x203);
    send(0x40E, 1038);
    EXPECT_EQ(restoreCaptions.back(), "&Restore");
}

TEST_F(MainFormTest, TheTrayMenuRunsItsItemsAndRestoreToggles)
{
    TMainForm& f = start();
    backend.answerPopupMenus([&](ui::PopupMenu&, int, int) { return f.Restore1; });
    send(0x40E, 0x204);
    EXPECT_FALSE(f.visible());
    send(0x40E, 0x204);
    EXPECT_TRUE(f.visible());
    backend.answerPopupMenus([&](ui::PopupMenu&, int, int) { return f.Exit2; });
    send(0x40E, 0x204);
    EXPECT_TRUE(application.terminated());
}

TEST_F(MainFormTest, ClosingTheWindowOnlyHidesIt)
{
    TMainForm& f = start();
    ui::headless::closeForm(f);
    EXPECT_FALSE(f.visible());
    EXPECT_FALSE(application.terminated());
    EXPECT_EQ(fakes.tray.icons().size(), 1u);
    EXPECT_EQ(hook.calls.size(), 1u);
}

TEST_F(MainFormTest, OptionsAndInitialChannelAreWrittenToTheCurrentProfileAtOnce)
{
    write(homeProfile, TwoChannels);
    TMainForm& f = start();
    ui::headless::chooseMenuItem(*f.DisableSounds1);
    EXPECT_FALSE(f.Profile.SoundsEnabled);
    EXPECT_EQ(profile::readText(homeProfile, "options", "sounds", "?"), "0");
    ui::headless::chooseMenuItem(*f.DisableSounds1);
    EXPECT_TRUE(f.Profile.SoundsEnabled);
    EXPECT_EQ(profile::readText(homeProfile, "options", "sounds", "?"), "1");
    ui::headless::chooseMenuItem(*f.HideonStart1);
    EXPECT_EQ(profile::readText(homeProfile, "options", "hide_at_start", "?"), "1");
    EXPECT_TRUE(f.HideonStart1->checked());

    ui::headless::chooseMenuItem(*f.None1);
    EXPECT_EQ(f.Profile.InitialChannel, -1);
    EXPECT_EQ(profile::readText(homeProfile, "channels", "default", "?"), "-1");
    EXPECT_TRUE(f.None1->checked());
    EXPECT_FALSE(f.InitialChannel1->item(5)->checked());
    ui::headless::chooseMenuItem(*f.InitialChannel1->item(4));
    EXPECT_EQ(profile::readText(homeProfile, "channels", "default", "?"), "1");
    EXPECT_FALSE(f.None1->checked());
}

TEST_F(MainFormTest, AnOptionThatCannotBeWrittenIsShownAndKeepsItsMark)
{
    TMainForm& f = start();
    // The profile's folder is replaced by a file: no write can succeed, even for root.
    f.Profile.ProfilePath = file("kestrion.ini") + "/sub/x.ini";
    backend.clearMessageBoxes();
    ui::headless::chooseMenuItem(*f.DisableSounds1);
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    EXPECT_THAT(backend.messageBoxes()[0].text, testing::StartsWith("Unable to write to "));
    EXPECT_FALSE(f.DisableSounds1->checked());
    EXPECT_TRUE(f.Profile.SoundsEnabled);
}

TEST_F(MainFormTest, OpeningAProfileReloadsRehooksAndJoinsWithoutRestartingTheClient)
{
    write(file("team.ini"), TwoChannels);
    TMainForm& f = start();
    backend.answerFileDialogs([&](ui::OpenDialog& d) -> std::optional<std::string> {
        EXPECT_EQ(d.title(), "Open File");
        EXPECT_EQ(d.filter(), "Ini Files|*.ini|All Files|*.*");
        EXPECT_EQ(d.defaultExt(), "ini");
        return file("team.ini");
    });
    auto launches = fakes.processes.launches().size();
    clearRecords();
    ui::headless::chooseMenuItem(*f.Open1);
    EXPECT_EQ(fakes.processes.launches().size(), launches);
    EXPECT_EQ(f.caption(), "Quorbit's RW Corvandial [team.ini]");
    EXPECT_THAT(hook.calls,
                ElementsAre(testing::StartsWith("set "), "clear", "set 4660 " + file("team.ini")));
    EXPECT_THAT(newCommands(), ElementsAre("/join1 10.1.1.5/BRAVO pw"));
    EXPECT_EQ(profile::readText(homeProfile, "options", "last_ini", ""), file("team.ini"));
    EXPECT_EQ(f.ChannelBar->max(), 2);

    // Cancelling the dialog changes nothing.
    backend.answerFileDialogs([](ui::OpenDialog&) { return std::nullopt; });
    clearRecords();
    ui::headless::chooseMenuItem(*f.Open1);
    EXPECT_THAT(newCommands(), IsEmpty());
    EXPECT_EQ(hook.calls.size(), 3u);
}

TEST_F(MainFormTest, AProfileNamedLikeTheHomeProfileElsewhereShowsNoBracket)
{
    fs::create_directories(file("other"));
    write(file("other/KESTRION.INI"), TwoChannels);
    TMainForm& f = start();
    f.LoadProfile(file("other/KESTRION.INI"));
    EXPECT_EQ(f.caption(), "Quorbit's RW Corvandial");
    f.LoadProfile(file("team.ini"));
    EXPECT_EQ(f.caption(), "Quorbit's RW Corvandial [team.ini]");
    EXPECT_EQ(f.Profile.ChannelNames, (std::vector<std::string>{"DEFAULT"}));
}

TEST_F(MainFormTest, ExitAndShutdownTellTheClientThenTheProgramRemovesIconAndHook)
{
    TMainForm& f = start();
    clearRecords();
    ui::headless::chooseMenuItem(*f.ExitandShutdownRW1);
    EXPECT_THAT(newCommands(), ElementsAre("/shutdown"));
    EXPECT_TRUE(application.terminated());
    ui::destroy(form);
    form = nullptr;
    EXPECT_THAT(fakes.tray.icons(), IsEmpty());
    EXPECT_EQ(hook.calls.back(), "clear");
}

TEST_F(MainFormTest, TheIconComesBackWhenTheShellRestarts)
{
    TMainForm& f = start();
    fakes.tray.restartShell();
    ASSERT_THAT(fakes.tray.icons(), IsEmpty());
    send(fakes.windows.registerMessage("TaskbarCreated"));
    ASSERT_EQ(fakes.tray.icons().size(), 1u);
    EXPECT_EQ(fakes.tray.icons()[0].id, 100u);
    (void)f;
}

TEST_F(MainFormTest, AboutShowsTheVersionsAndHelpOpensContextOne)
{
    fakes.versions.setVersion(programPath, {200, std::string("2.2.3.3"), std::nullopt});
    TMainForm& f = start();
    backend.clearMessageBoxes();
    ui::headless::chooseMenuItem(*f.About1);
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    const auto& box = backend.messageBoxes()[0];
    EXPECT_EQ(box.caption, "About Kestrion");
    EXPECT_EQ(box.icon, ui::MessageIcon::None);
    EXPECT_NE(box.text.find("Free to use and to pass on unchanged.\r\nVersion 2.2.3.3\r\n"
                            "Version of RW detected: \r\n\r\n"),
              std::string::npos)
        << box.text;

    fakes.log.clear();
    ui::headless::chooseMenuItem(*f.KestrionWebsite1);
    ui::headless::chooseMenuItem(*f.EmailQuorbit1);
    EXPECT_THAT(fakes.shell.opened(),
                ElementsAre(testing::StartsWith("https://"), testing::StartsWith("mailto:")));
}

TEST_F(MainFormTest, HelpOpensTheWindowsHelpFileWhereItCanBeShownAndTheHtmlHelpOtherwise)
{
    // The program's folder, wherever the program was started from.
    const std::string folder = programPath.substr(0, programPath.size() - strlen("kestrion.exe"));
    const std::string helpFile = folder + "help\\KESTRION.HLP";
    application.setHelpFile(".\\help\\KESTRION.HLP");
    TMainForm& f = start();

    // No viewer for it (current Windows), or no such file: the HTML help's start page. F1 in
    // the window does the same.
    ui::headless::chooseMenuItem(*f.Help2);
    EXPECT_THAT(fakes.help.requests(), IsEmpty());
    EXPECT_THAT(fakes.shell.opened(), ElementsAre(folder + "help\\index.html"));
    f.ChannelBar->setFocus();
    ui::headless::pressKey(f, ui::vk::F1);
    EXPECT_THAT(fakes.shell.opened(),
                ElementsAre(folder + "help\\index.html", folder + "help\\index.html"));

    // The file is there and can be shown: Windows help, at context 1, for the main window.
    fakes.help.showable = {helpFile};
    ui::headless::chooseMenuItem(*f.Help2);
    ASSERT_EQ(fakes.help.requests().size(), 1u);
    EXPECT_EQ(fakes.help.requests()[0].helpFile, helpFile);
    EXPECT_EQ(fakes.help.requests()[0].context, 1u);
    EXPECT_EQ(fakes.help.requests()[0].owner, MainWindow);
    EXPECT_EQ(fakes.shell.opened().size(), 2u);

    // A viewer that refuses the request leaves the user the HTML help.
    fakes.help.succeeds = false;
    ui::headless::chooseMenuItem(*f.Help2);
    EXPECT_EQ(fakes.help.requests().size(), 2u);
    EXPECT_EQ(fakes.shell.opened().back(), folder + "help\\index.html");

    // Every help context has its page; an unknown one opens the start page.
    fakes.help.showable.clear();
    const std::pair<std::uint32_t, const char*> pages[] = {
        {1, "index.html"},
        {5, "settings.html"},
        {6, "settings-require-alt.html"},
        {7, "settings-require-ctrl.html"},
        {4711, "index.html"},
    };
    for (const auto& [context, page] : pages) {
        f.ShowHelp(context);
        EXPECT_EQ(fakes.shell.opened().back(), folder + "help\\" + page) << context;
        EXPECT_TRUE(fs::exists(fs::path(KESTRION_SOURCE_DIR) / "resources" / "help" / page))
            << page;
    }

    // A help file named by its full path is taken as it is.
    application.setHelpFile("C:\\Kestrion\\KESTRION.HLP");
    fakes.help.showable = {"C:\\Kestrion\\KESTRION.HLP"};
    f.ShowHelp(1);
    EXPECT_EQ(fakes.help.requests().back().helpFile, "C:\\Kestrion\\KESTRION.HLP");
}

TEST_F(MainFormTest, HelpThatCannotBeOpenedSaysWhereItBelongs)
{
    fakes.shell.succeeds = false;
    TMainForm& f = start();
    backend.clearMessageBoxes();
    ui::headless::chooseMenuItem(*f.Help2);
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    const auto& box = backend.messageBoxes()[0];
    EXPECT_EQ(box.caption, "Error!");
    EXPECT_EQ(box.icon, ui::MessageIcon::Error);
    EXPECT_EQ(box.text, "Unable to open the help page:\r\n" + fakes.shell.opened().back());
}

TEST_F(MainFormTest, TheSettingsDialogsHelpOpensItsPageAndThoseOfItsCheckBoxes)
{
    TMainForm& f = start();
    fakes.log.clear();
    backend.answerModalForms([](ui::Form& dialog) {
        auto& settings = dynamic_cast<profile::TSettingsDlg&>(dialog);
        // F1 on the name field, the help button on a key label's panel, F1 on a check box.
        settings.ChannelNameEdit->setFocus();
        ui::headless::pressKey(settings, ui::vk::F1);
        settings.HelpRequested(*settings.KeyLabels[0]);
        settings.CheckBox2->setFocus();
        ui::headless::pressKey(settings, ui::vk::F1);
        settings.HelpRequested(*settings.CheckBox1);
        return ui::ModalResult::Cancel;
    });
    ui::headless::chooseMenuItem(*f.SetChannels1);
    std::vector<std::string> pages;
    for (const auto& opened : fakes.shell.opened())
        pages.push_back(opened.substr(opened.find_last_of("\\/") + 1));
    EXPECT_EQ(pages, (std::vector<std::string>{"settings.html", "settings.html",
                                               "settings-require-ctrl.html",
                                               "settings-require-alt.html"}));
}

TEST_F(MainFormTest, AfterASaveTheBarFollowsTheListAndTheJoinedChannel)
{
    write(homeProfile, "[channels]\r\ncount=3\r\ndefault=2\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n"
                       "channel3=Charlie\r\n");
    TMainForm& f = start();
    ASSERT_EQ(f.ChannelLCD->Caption(), "Bravo");
    struct Step {
        std::vector<std::string> names;
        std::int32_t position;
        std::vector<std::string> joins;
    };
    const Step steps[] = {
        {{"Bravo", "Alpha", "Charlie"}, 1, {}},                 // moved up: followed, no join
        {{"Bravo", "Alpha", "Charlie", "Delta"}, 1, {}},        // a channel added
        {{"Alpha", "Charlie"}, 1, {"/join1 127.0.0.1/ALPHA "}}, // removed: what stands there
        {{"Alpha"}, 1, {}},
        {{}, 0, {"/join1 127.0.0.1/ "}},
    };
    for (const auto& s : steps) {
        profile::ProfileData data = f.Profile;
        data.ChannelNames = s.names;
        data.ChannelSounds.assign(s.names.size() + 1, "DEFAULT");
        profile::saveChannelSettings(homeProfile, data, profile::Hotkeys{});
        clearRecords();
        f.ChannelSettingsSaved();
        EXPECT_EQ(f.ChannelBar->max(), static_cast<std::int32_t>(s.names.size()));
        EXPECT_EQ(f.ChannelBar->position(), s.position);
        EXPECT_EQ(newCommands(), s.joins);
    }
}

TEST_F(MainFormTest, TheSettingsDialogSavesAndTheMainWindowTakesTheNewChannels)
{
    write(homeProfile, TwoChannels);
    TMainForm& f = start();
    ASSERT_EQ(f.ChannelLCD->Caption(), "Bravo");
    backend.answerModalForms([](ui::Form& dialog) {
        auto& settings = dynamic_cast<profile::TSettingsDlg&>(dialog);
        EXPECT_EQ(settings.ChannelNameEdit->text(), "Alpha"); // the first entry is selected
        settings.ChannelNameEdit->setText("");
        ui::headless::typeText(*settings.ChannelNameEdit, "Echo");
        ui::headless::click(*settings.Button3);
        ui::headless::click(*settings.OkBtn);
        return ui::ModalResult::None; // the dialog's own result stands
    });
    clearRecords();
    ui::headless::chooseMenuItem(*f.SetChannels1);
    EXPECT_EQ(backend.modalForms(), (std::vector<std::string>{"TSettingsDlg"}));
    EXPECT_EQ(profile::readText(homeProfile, "channels", "channel3", ""), "Echo");
    EXPECT_EQ(profile::readText(homeProfile, "channels", "count", ""), "3");
    EXPECT_EQ(f.Profile.ChannelNames, (std::vector<std::string>{"Alpha", "Bravo", "Echo"}));
    ASSERT_EQ(f.InitialChannel1->count(), 7);
    EXPECT_NE(f.InitialChannel1->item(6)->caption().find("3 - Echo"), std::string::npos);
    // The bar takes the new count at once; the client stays where it is.
    EXPECT_EQ(f.ChannelBar->max(), 3);
    EXPECT_EQ(f.ChannelBar->position(), 2);
    EXPECT_THAT(newCommands(), IsEmpty());
    // The dialog is freed after it closed; the sound dialog lives on.
    EXPECT_EQ(application.findComponent("SettingsDlg"), nullptr);
    EXPECT_NE(f.SoundsDlg, nullptr);
}
