#include "app/RogerWilco.h"

#include "platform/fake/FakeServices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using app::ClientCommandRecord;
using app::RogerWilco;
using platform::RegistryValue;
using platform::RootKey;
using platform::ValueType;
using platform::WindowHandle;
using testing::ElementsAre;
using namespace std::string_literals;

namespace {

const std::string AppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe";
const std::string GameSpyKey = "Software\\GameSpy\\Roger Wilco";
const std::string ResoundingKey = "Software\\Resounding\\Roger Wilco";
const std::string ClientPath = "C:\\Program Files\\Roger Wilco\\roger.exe";
const std::string ClientFolder = "C:\\Program Files\\Roger Wilco\\";
const std::string QuotedPath = "\"" + ClientPath + "\"";

const std::string FindFirst = "find #32770 \"Roger Wilco\"";
const std::vector<std::string> FindAll = {
    "find #32770 \"Roger Wilco\"",
    "find #32770 \"Roger Wilco *Registered*\"",
    "find #32770 \"Roger Wilco (Unregistered)\"",
    "find #32770 \"Roger Wilco (Transmit)\"",
};
const std::string OpenAppPaths = "open HKLM\\" + AppPaths;
// How a launch of the installed client is logged: in the client's own folder.
std::string launched(const std::string& arguments)
{
    return "launch " + QuotedPath + " " + arguments + " [hidden] in " + ClientFolder;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The conversation with a client window (handle 1) that stays open: each message preceded by
// a fresh search that finds it under its first title.
std::vector<std::string> deliveryTo1(const std::string& command)
{
    return {
        FindFirst, "post 5x5 Networking Remove Channel 0 0 -> 1",
        FindFirst, "post 5x5 Networking New Channel 0 0 -> 1",
        FindFirst, "copydata 0 254 \"" + command + "\" -> 1",
        FindFirst, "post 5x5 Networking Sort Channel 0 0 -> 1",
    };
}

class RogerWilcoTest : public testing::Test {
protected:
    void install(const std::string& path = ClientPath)
    {
        fakes.registry.setText(RootKey::LocalMachine, AppPaths, "", path);
    }
    // A dialog of the client's own, as the installed roger.exe opens it.
    WindowHandle addClient(const std::string& title = "Roger Wilco")
    {
        return fakes.windows.addWindow("#32770", title, ClientPath);
    }
    void clientWindowAppearsOnLaunch()
    {
        fakes.processes.onLaunch = [this](const std::string&) { addClient(); };
    }
    // The text of the copy-data payloads the windows received, up to their first zero.
    std::vector<std::string> receivedCommands() const
    {
        std::vector<std::string> texts;
        for (const auto& d : fakes.windows.deliveries()) {
            if (d.message == platform::FakeWindowMessenger::CopyDataMessage)
                texts.push_back(d.bytes.substr(0, d.bytes.find('\0')));
        }
        return texts;
    }

    platform::FakeServices fakes;
    RogerWilco link{fakes.services()};
};

} // namespace

TEST_F(RogerWilcoTest, RegistersTheThreeClientMessagesAtConstruction)
{
    EXPECT_THAT(fakes.log, ElementsAre("register 5x5 Networking Remove Channel",
                                       "register 5x5 Networking New Channel",
                                       "register 5x5 Networking Sort Channel"));
    const auto& ids = link.messageIds();
    EXPECT_EQ(fakes.windows.messageName(ids.remove), "5x5 Networking Remove Channel");
    EXPECT_EQ(fakes.windows.messageName(ids.newChannel), "5x5 Networking New Channel");
    EXPECT_EQ(fakes.windows.messageName(ids.sort), "5x5 Networking Sort Channel");
    EXPECT_FALSE(link.ClientLaunched());
    EXPECT_FALSE(link.UpdaterPresent());
}

TEST_F(RogerWilcoTest, FindClientWindowTriesTheFourTitlesInOrderAndStopsAtTheFirst)
{
    struct Case {
        std::vector<std::pair<std::string, std::string>> windows; // class, title
        int expected;                                             // index into windows, or -1
        std::size_t finds;
    };
    const Case cases[] = {
        {{}, -1, 4},
        {{{"#32770", "Roger Wilco"}}, 0, 1},
        {{{"#32770", "Roger Wilco (Transmit)"}}, 0, 4},
        {{{"#32770", "Roger Wilco (Unregistered)"}, {"#32770", "Roger Wilco *Registered*"}}, 1, 2},
        {{{"#32770", "Roger Wilco (Transmit)"}, {"#32770", "Roger Wilco"}}, 1, 1},
        {{{"Notepad", "Roger Wilco"}}, -1, 4},
        {{{"#32770", "Roger Wilco 2"}, {"#32770", "Roger"}}, -1, 4},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        platform::FakeServices local;
        RogerWilco localLink(local.services());
        local.registry.setText(RootKey::LocalMachine, AppPaths, "", ClientPath);
        std::vector<WindowHandle> handles;
        for (const auto& [cls, title] : cases[i].windows)
            handles.push_back(local.windows.addWindow(cls, title, ClientPath));
        local.log.clear();

        WindowHandle expected = cases[i].expected < 0
                                    ? WindowHandle::None
                                    : handles[static_cast<std::size_t>(cases[i].expected)];
        EXPECT_EQ(localLink.FindClientWindow(), expected) << "case " << i;
        std::vector<std::string> tried(FindAll.begin(),
                                       FindAll.begin() + static_cast<long>(cases[i].finds));
        std::vector<std::string> finds;
        std::copy_if(local.log.begin(), local.log.end(), std::back_inserter(finds),
                     [](const std::string& line) { return line.starts_with("find "); });
        EXPECT_EQ(finds, tried) << "case " << i;
    }
}

// Any program may open a dialog titled like the client's, a sandboxed one included: the
// commands, and the password with them, go only to a window whose program lies in the
// client's installation folder.
TEST_F(RogerWilcoTest, OnlyAWindowOfTheClientsOwnInstallationCountsAsTheClient)
{
    const std::string impostor = "C:\\Users\\me\\Downloads\\lookalike.exe";
    struct Case {
        const char* what;
        std::optional<std::string> installed; // App Paths; nullopt: not installed
        std::vector<std::pair<std::string, std::string>> windows; // title, program path
        int expected;                                             // index into windows, or -1
    };
    const Case cases[] = {
        {"the client alone", ClientPath, {{"Roger Wilco", ClientPath}}, 0},
        {"a look-alike in front of the client",
         ClientPath,
         {{"Roger Wilco", impostor}, {"Roger Wilco", ClientPath}},
         1},
        {"a look-alike under the first title, the client under another",
         ClientPath,
         {{"Roger Wilco", impostor}, {"Roger Wilco (Transmit)", ClientPath}},
         1},
        {"a look-alike alone", ClientPath, {{"Roger Wilco", impostor}}, -1},
        {"a program the system does not tell about", ClientPath, {{"Roger Wilco", ""}}, -1},
        {"another program of the installation",
         ClientPath,
         {{"Roger Wilco *Registered*", ClientFolder + "fpupdate.exe"}},
         0},
        {"another letter case and separators",
         ClientPath,
         {{"Roger Wilco", "c:/program files/roger wilco/ROGER.EXE"}},
         0},
        {"a folder whose name only begins like the client's",
         ClientPath,
         {{"Roger Wilco", "C:\\Program Files\\Roger Wilco Extra\\roger.exe"}},
         -1},
        {"a subfolder of the installation",
         ClientPath,
         {{"Roger Wilco", ClientFolder + "plugins\\roger.exe"}},
         -1},
        {"no installation", std::nullopt, {{"Roger Wilco", ClientPath}}, -1},
        {"an installation without a folder", "roger.exe", {{"Roger Wilco", "roger.exe"}}, -1},
    };
    for (const auto& c : cases) {
        platform::FakeServices local;
        RogerWilco localLink(local.services());
        if (c.installed)
            local.registry.setText(RootKey::LocalMachine, AppPaths, "", *c.installed);
        std::vector<WindowHandle> handles;
        for (const auto& [title, program] : c.windows)
            handles.push_back(local.windows.addWindow("#32770", title, program));
        const WindowHandle expected =
            c.expected < 0 ? WindowHandle::None : handles[static_cast<std::size_t>(c.expected)];

        EXPECT_EQ(localLink.FindClientWindow(), expected) << c.what;
        // A command follows the same rule: without the client's window the client is started
        // (or, without an installation, nothing happens), and the look-alike gets nothing.
        local.processes.onLaunch = [&](const std::string&) {};
        localLink.SendClientCommand("/join1 10.1.1.5/ secret");
        for (const auto& d : local.windows.deliveries())
            EXPECT_EQ(d.window, expected) << c.what;
        EXPECT_EQ(local.windows.deliveries().empty(), expected == WindowHandle::None) << c.what;
    }
}

TEST_F(RogerWilcoTest, RunningClientGetsRemoveNewCopyDataAndSortInThisOrder)
{
    install();
    addClient();
    fakes.log.clear();

    EXPECT_TRUE(link.SendClientCommand("/volume 133"));

    EXPECT_EQ(fakes.log,
              (std::vector<std::string>{OpenAppPaths, FindFirst} + deliveryTo1("/volume 133")));
    const auto& d = fakes.windows.deliveries();
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[0].message, link.messageIds().remove);
    EXPECT_EQ(d[1].message, link.messageIds().newChannel);
    EXPECT_EQ(d[3].message, link.messageIds().sort);
    for (std::size_t i : {0u, 1u, 3u}) {
        EXPECT_EQ(d[i].wParam, 0u);
        EXPECT_EQ(d[i].lParam, 0);
    }
    // The send is bounded, so a hung client cannot hold the program for long.
    EXPECT_GT(d[2].timeout.count(), 0);
    EXPECT_LE(d[2].timeout.count(), 5000);
    EXPECT_TRUE(fakes.processes.launches().empty());
    EXPECT_FALSE(link.ClientLaunched());
}

TEST_F(RogerWilcoTest, CommandTravelsAs254BytesZeroFilledAndEndsInAZeroWithinThem)
{
    install();
    addClient("Roger Wilco *Registered*");
    const std::string commands[] = {
        "",
        "/shutdown",
        "/join1 10.1.1.5/CAF\xc9 p\xe4ss",
        std::string(253, 'a'),
        std::string(254, 'b'),
        std::string(255, 'c'),
        "/join1 host/" + std::string(400, 'D') + " pw",
    };
    for (const auto& command : commands) {
        ASSERT_TRUE(link.SendClientCommand(command));
        const auto& sent = fakes.windows.deliveries()[fakes.windows.deliveries().size() - 2];
        ASSERT_EQ(sent.message, platform::FakeWindowMessenger::CopyDataMessage);
        EXPECT_EQ(sent.dwData, 0u);
        EXPECT_EQ(sent.cbData, 254u);
        // The client reads the text up to its zero: a command of 254 characters or more is cut
        // to 253, and the 254th byte sent is always that zero.
        std::string expected = command.substr(0, 253);
        expected.resize(254, '\0');
        EXPECT_EQ(sent.bytes, expected) << command.size();
        EXPECT_EQ(sent.bytes.back(), '\0') << command.size();

        ClientCommandRecord record(command);
        EXPECT_EQ(record.buffer[254], '\0') << command.size();
        EXPECT_EQ(record.copyData().lpData, record.buffer.data());
    }
}

TEST_F(RogerWilcoTest, FirstCommandWithoutWindowStartsClientEmptyWaitsAndDeliversByMessage)
{
    install();
    clientWindowAppearsOnLaunch();
    fakes.log.clear();

    EXPECT_TRUE(link.SendClientCommand("/join1 10.1.1.5/ pw"));

    EXPECT_EQ(fakes.log, (std::vector<std::string>{OpenAppPaths} + FindAll +
                          std::vector<std::string>{
                              launched(""),
                              "sleep 2000",
                              FindFirst,
                          } +
                          deliveryTo1("/join1 10.1.1.5/ pw")));
    EXPECT_TRUE(link.ClientLaunched());
    EXPECT_EQ(fakes.registry.openKeys(), 0);
}

TEST_F(RogerWilcoTest, WindowThatNeverAppearsMakesTheCommandTheSecondClientsCommandLine)
{
    install();
    fakes.log.clear();

    EXPECT_TRUE(link.SendClientCommand("/leave DEFAULT"));
    EXPECT_EQ(fakes.log, (std::vector<std::string>{OpenAppPaths} + FindAll +
                          std::vector<std::string>{
                              launched(""),
                              "sleep 2000",
                          } +
                          FindAll +
                          std::vector<std::string>{
                              launched("/leave DEFAULT"),
                          }));
    EXPECT_TRUE(link.ClientLaunched());

    // From now on, no window means a client started with the command, without waiting.
    fakes.log.clear();
    EXPECT_TRUE(link.SendClientCommand("/volume 133"));
    EXPECT_EQ(fakes.log, (std::vector<std::string>{OpenAppPaths} + FindAll +
                          std::vector<std::string>{launched("/volume 133")}));
    EXPECT_EQ(fakes.sleeper.total.count(), 2000);

    // A command line carries the command whole: the 254-byte limit is the message's.
    std::string longCommand = "/join1 h/" + std::string(300, 'X') + " ";
    EXPECT_TRUE(link.SendClientCommand(longCommand));
    EXPECT_EQ(fakes.processes.launches().back().commandLine, QuotedPath + " " + longCommand);

    fakes.processes.succeeds = false;
    EXPECT_FALSE(link.SendClientCommand("/volume 138"));
    EXPECT_EQ(fakes.sleeper.total.count(), 2000);
    EXPECT_EQ(fakes.registry.openKeys(), 0);
}

TEST_F(RogerWilcoTest, LaterCommandsFindAWindowThatAppearedMeanwhile)
{
    install();
    ASSERT_TRUE(link.SendClientCommand("/volume 133")); // two clients started, no window
    ASSERT_EQ(fakes.processes.launches().size(), 2u);
    addClient("Roger Wilco (Transmit)");

    EXPECT_TRUE(link.SendClientCommand("/volume 138"));
    EXPECT_EQ(fakes.processes.launches().size(), 2u);
    EXPECT_THAT(receivedCommands(), ElementsAre("/volume 138"));
}

TEST_F(RogerWilcoTest, MissingInstallationFailsEveryLaunchAndDetectsNotInstalled)
{
    struct Case {
        const char* what;
        std::optional<RegistryValue> defaultValue; // nullopt: no App Paths key at all
    };
    const Case cases[] = {
        {"no key", std::nullopt},
        {"no default value", RegistryValue{ValueType::None, ""}},
        {"integer", RegistryValue{ValueType::Dword, "\x01\0\0\0"s}},
        {"binary", RegistryValue{ValueType::Binary, ClientPath + '\0'}},
        {"list of texts", RegistryValue{ValueType::MultiText, ClientPath + "\0\0"s}},
        {"empty text", RegistryValue{ValueType::Text, "\0"s}},
        {"empty quotes", RegistryValue{ValueType::Text, "\"\"\0"s}},
    };
    for (const auto& c : cases) {
        platform::FakeServices local;
        RogerWilco localLink(local.services());
        if (c.defaultValue) {
            local.registry.addKey(RootKey::LocalMachine, AppPaths);
            if (c.defaultValue->type != ValueType::None)
                local.registry.setValue(RootKey::LocalMachine, AppPaths, "", *c.defaultValue);
        }

        EXPECT_FALSE(localLink.LaunchClient("")) << c.what;
        EXPECT_FALSE(localLink.LaunchClientAndWait("/file C:\\a.rwc")) << c.what;
        EXPECT_FALSE(localLink.SendClientCommand("/volume 133")) << c.what;
        // A failed start is not a start: the next command tries the first launch again.
        EXPECT_FALSE(localLink.ClientLaunched()) << c.what;
        EXPECT_FALSE(localLink.SendClientCommand("/volume 138")) << c.what;
        EXPECT_TRUE(local.processes.launches().empty()) << c.what;
        // The wait follows every start attempt, failed or not.
        EXPECT_EQ(local.sleeper.total.count(), 3 * 2000) << c.what;

        std::string version = "as given";
        localLink.DetectClientVersion(version);
        EXPECT_EQ(version, "Not Installed") << c.what;
        EXPECT_FALSE(localLink.UpdaterPresent()) << c.what;
        EXPECT_EQ(local.registry.openKeys(), 0) << c.what;
    }
}

TEST_F(RogerWilcoTest, FailedProcessCreationIsReportedAndTheFirstLaunchIsTriedAgain)
{
    install();
    fakes.processes.succeeds = false;
    EXPECT_FALSE(link.SendClientCommand("/volume 133"));
    EXPECT_EQ(fakes.processes.launches().size(), 1u);
    EXPECT_FALSE(link.ClientLaunched());

    fakes.processes.succeeds = true;
    clientWindowAppearsOnLaunch();
    EXPECT_TRUE(link.SendClientCommand("/volume 138"));
    ASSERT_EQ(fakes.processes.launches().size(), 2u);
    EXPECT_EQ(fakes.processes.launches()[1].commandLine, QuotedPath + " ");
    EXPECT_EQ(fakes.processes.launches()[1].show, platform::ShowState::Hidden);
    EXPECT_THAT(receivedCommands(), ElementsAre("/volume 138"));
}

TEST_F(RogerWilcoTest, ClientPathIsQuotedAndTheArgumentsFollowAfterOneBlank)
{
    struct Case {
        RegistryValue stored;
        std::string arguments;
        std::string commandLine;
    };
    const Case cases[] = {
        {{ValueType::Text, ClientPath + '\0'}, "", QuotedPath + " "},
        {{ValueType::Text, ClientPath + '\0'},
         "/file C:\\My Configs\\a.rwc",
         QuotedPath + " /file C:\\My Configs\\a.rwc"},
        {{ValueType::Text, ClientPath + '\0'}, " /leave  x ", QuotedPath + "  /leave  x "},
        // A value stored in quotes is not quoted twice.
        {{ValueType::Text, QuotedPath + '\0'}, "/shutdown", QuotedPath + " /shutdown"},
        {{ValueType::Text, "C:\\RW\\roger.exe"}, "/shutdown", "\"C:\\RW\\roger.exe\" /shutdown"},
        {{ValueType::ExpandText, "C:\\RW\\roger.exe\0"s}, "", "\"C:\\RW\\roger.exe\" "},
    };
    for (const auto& c : cases) {
        platform::FakeServices local;
        RogerWilco localLink(local.services());
        local.registry.setValue(RootKey::LocalMachine, AppPaths, "", c.stored);
        EXPECT_TRUE(localLink.LaunchClient(c.arguments));
        ASSERT_EQ(local.processes.launches().size(), 1u);
        EXPECT_EQ(local.processes.launches()[0].commandLine, c.commandLine);
        EXPECT_EQ(local.processes.launches()[0].show, platform::ShowState::Hidden);
        EXPECT_EQ(local.sleeper.total.count(), 0);
    }

    EXPECT_EQ(app::clientCommandLine("C:\\a b\\c.exe", ""), "\"C:\\a b\\c.exe\" ");
}

// The client's installer writes the 32-bit view of the registry; a 64-bit build, whose own
// view holds no entry then, reads that view too.
TEST_F(RogerWilcoTest, TheClientPathComesFromThe32BitViewWhenTheProgramsOwnHasNone)
{
    struct Case {
        const char* what;
        std::optional<RegistryValue> native; // nullopt: no key in the program's own view
        std::optional<RegistryValue> view32;
        std::optional<std::string> commandLine; // nullopt: not installed
    };
    const RegistryValue other{ValueType::Text, "D:\\Other\\roger.exe\0"s};
    const Case cases[] = {
        {"32-bit view only", std::nullopt, RegistryValue{ValueType::Text, ClientPath + '\0'},
         QuotedPath + " "},
        {"both: the program's own first", other, RegistryValue{ValueType::Text, ClientPath + '\0'},
         "\"D:\\Other\\roger.exe\" "},
        {"own view's entry empty", RegistryValue{ValueType::Text, "\0"s},
         RegistryValue{ValueType::Text, ClientPath + '\0'}, QuotedPath + " "},
        {"own view's entry not text", RegistryValue{ValueType::Dword, "\1\0\0\0"s},
         RegistryValue{ValueType::Text, ClientPath + '\0'}, QuotedPath + " "},
        {"neither", std::nullopt, std::nullopt, std::nullopt},
        {"32-bit view's entry empty", std::nullopt, RegistryValue{ValueType::Text, "\0"s},
         std::nullopt},
    };
    for (const auto& c : cases) {
        platform::FakeServices local;
        RogerWilco localLink(local.services());
        if (c.native)
            local.registry.setValue(RootKey::LocalMachine, AppPaths, "", *c.native);
        if (c.view32)
            local.registry.setValue(RootKey::LocalMachine32, AppPaths, "", *c.view32);
        EXPECT_EQ(localLink.LaunchClient(""), c.commandLine.has_value()) << c.what;
        if (c.commandLine) {
            ASSERT_EQ(local.processes.launches().size(), 1u) << c.what;
            EXPECT_EQ(local.processes.launches()[0].commandLine, *c.commandLine) << c.what;
        }
        std::string version;
        localLink.DetectClientVersion(version);
        EXPECT_EQ(version == "Not Installed", !c.commandLine) << c.what;
        EXPECT_EQ(local.registry.openKeys(), 0) << c.what;
    }
}

TEST_F(RogerWilcoTest, LaunchClientAndWaitWaitsTwoSecondsAfterTheLaunch)
{
    install();
    fakes.log.clear();
    EXPECT_TRUE(link.LaunchClientAndWait("/file C:\\RW\\team.rwc"));
    EXPECT_THAT(fakes.log,
                ElementsAre(OpenAppPaths, launched("/file C:\\RW\\team.rwc"), "sleep 2000"));
    // The start-up launch is not the link's own: a later command still starts one first.
    EXPECT_FALSE(link.ClientLaunched());
}

TEST_F(RogerWilcoTest, ClientThatClosesDuringDeliveryGetsNothingMoreAndFailsTheSend)
{
    // The window goes away just before the n-th search of the delivery (search 1 decides that
    // a client runs; searches 2 to 5 precede Remove, New, the copy data and Sort).
    struct Case {
        int vanishBeforeFind;
        bool delivered;
        std::vector<std::string> received; // message names, in order
    };
    const Case cases[] = {
        {2, false, {}},
        {3, false, {"5x5 Networking Remove Channel"}},
        {4, false, {"5x5 Networking Remove Channel", "5x5 Networking New Channel"}},
        {5, true, {"5x5 Networking Remove Channel", "5x5 Networking New Channel", "copy data"}},
    };
    for (const auto& c : cases) {
        platform::FakeServices local;
        RogerWilco localLink(local.services());
        local.registry.setText(RootKey::LocalMachine, AppPaths, "", ClientPath);
        WindowHandle client = local.windows.addWindow("#32770", "Roger Wilco", ClientPath);
        local.windows.onFind = [&](int n) {
            if (n == c.vanishBeforeFind)
                local.windows.removeWindow(client);
        };

        EXPECT_EQ(localLink.SendClientCommand("/volume 133"), c.delivered) << c.vanishBeforeFind;
        std::vector<std::string> received;
        for (const auto& d : local.windows.deliveries())
            received.push_back(d.message == platform::FakeWindowMessenger::CopyDataMessage
                                   ? "copy data"
                                   : local.windows.messageName(d.message));
        EXPECT_EQ(received, c.received) << c.vanishBeforeFind;
        // Nothing is aimed at no window (which would land in the sender's own queue), and a
        // client that went away is not started again in the middle of a command.
        for (const auto& line : local.log)
            EXPECT_EQ(line.find("-> 0"), std::string::npos) << line;
        EXPECT_TRUE(local.processes.launches().empty()) << c.vanishBeforeFind;
    }
}

TEST_F(RogerWilcoTest, ClientThatDoesNotTakeTheDataCountsAsFailedDelivery)
{
    install();
    addClient();
    fakes.windows.copyDataSucceeds = false;

    EXPECT_FALSE(link.SendClientCommand("/volume 133"));
    // The frame is closed all the same, and no second client is started beside a hung one.
    EXPECT_EQ(fakes.log.back(), "post 5x5 Networking Sort Channel 0 0 -> 1");
    EXPECT_TRUE(fakes.processes.launches().empty());
    EXPECT_FALSE(link.ClientLaunched());
}

TEST_F(RogerWilcoTest, JoinChannelBuildsTheJoinCommand)
{
    install();
    addClient();
    struct Case {
        const char* host;
        std::string channel;
        const char* password;
        std::string command;
    };
    const Case cases[] = {
        {"10.1.1.5", "BRAVO", "secret", "/join1 10.1.1.5/BRAVO secret"},
        {"10.1.1.5", "DEFAULT", "secret", "/join1 10.1.1.5/ secret"},
        {"10.1.1.5", "DEFAULT", "", "/join1 10.1.1.5/ "},
        {"10.1.1.5", "BRAVO", "", "/join1 10.1.1.5/BRAVO "},
        // Only the exact upper-case word is the lobby.
        {"h", "Default", "p", "/join1 h/Default p"},
        {"h", "DEFAULT ", "p", "/join1 h/DEFAULT  p"},
        {"h", "DEFAULT /FILE C:\\TEAM.RWC", "p", "/join1 h/DEFAULT /FILE C:\\TEAM.RWC p"},
        {"h", "", "p", "/join1 h/ p"},
        {"", "", "", "/join1 / "},
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        EXPECT_TRUE(link.JoinChannel(c.host, c.channel, c.password));
        expected.push_back(c.command);
    }
    EXPECT_EQ(receivedCommands(), expected);
}

// A host or password from a profile someone else wrote must not add a switch of its own to
// the join: such a join is not sent at all, which the caller hears as a failed delivery.
TEST_F(RogerWilcoTest, AJoinWhoseHostOrPasswordWouldAddASwitchIsNeverSent)
{
    install();
    addClient();
    struct Case {
        const char* host;
        const char* password;
    };
    const Case refused[] = {
        {"10.0.0.1 /file \\\\host\\s\\x.rwc", "pw"},
        {"10.0.0.1 ", "pw"},
        {"/shutdown", "pw"},
        {"10.0.0.1\"", "pw"},
        {"10.0.0.1\r/shutdown", "pw"},
        {"10.0.0.1\xA0/x", "pw"},
        {"10.0.0.1", "pw /shutdown"},
        {"10.0.0.1", "/shutdown"},
        {"10.0.0.1", "a\"b"},
        {"10.0.0.1", "a\tb"},
        {"10.0.0.1", "a\x7f"},
        {"", "pw"}, // "/join1 /BRAVO pw": the channel would be a switch
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(app::joinCommand(c.host, "BRAVO", c.password)) << c.host << " " << c.password;
        EXPECT_FALSE(link.JoinChannel(c.host, "BRAVO", c.password)) << c.host << " " << c.password;
    }
    EXPECT_TRUE(fakes.windows.deliveries().empty());
    EXPECT_TRUE(fakes.processes.launches().empty());

    // Blanks and slashes where no switch can start are a password's own business.
    EXPECT_EQ(app::joinCommand("10.0.0.1", "BRAVO", "pass word/x"),
              "/join1 10.0.0.1/BRAVO pass word/x");
}

TEST_F(RogerWilcoTest, DetectClientVersionChoosesTheVariantByTheUpdaterBesideTheClient)
{
    struct Case {
        const char* what;
        std::string clientPath;
        bool updaterFile;
        std::optional<RegistryValue> gameSpyVersion;    // nullopt: key missing
        std::optional<RegistryValue> resoundingVersion; // nullopt: key missing
        std::string text;
        bool updaterPresent;
    };
    const RegistryValue none{ValueType::None, ""};
    const Case cases[] = {
        {"updater variant", ClientPath, true, RegistryValue{ValueType::Text, "1.4.1.9\0"s},
         RegistryValue{ValueType::Text, "0.3\0"s}, "1.4.1.9", true},
        {"plain variant", ClientPath, false, RegistryValue{ValueType::Text, "1.4.1.9\0"s},
         RegistryValue{ValueType::Text, "0.3\0"s}, "0.3", false},
        {"updater, no version value", ClientPath, true, none, std::nullopt, "Version Name Missing",
         true},
        {"plain, version not text", ClientPath, false, std::nullopt,
         RegistryValue{ValueType::Dword, "\x03\0\0\0"s}, "Version Name Missing", false},
        {"updater, key missing", ClientPath, true, std::nullopt,
         RegistryValue{ValueType::Text, "0.3\0"s}, "", false},
        {"plain, key missing", ClientPath, false, RegistryValue{ValueType::Text, "1.4\0"s},
         std::nullopt, "", false},
        {"forward slashes", "C:/RW/roger.exe", true, RegistryValue{ValueType::Text, "1.4\0"s},
         std::nullopt, "1.4", true},
    };
    for (const auto& c : cases) {
        platform::FakeServices local;
        RogerWilco localLink(local.services());
        local.registry.setText(RootKey::LocalMachine, AppPaths, "", c.clientPath);
        std::string updater = app::clientFolder(c.clientPath) + "fpupdate.exe";
        if (c.updaterFile)
            local.files.addFile(updater);
        for (const auto& [key, value] : {std::pair{GameSpyKey, c.gameSpyVersion},
                                         std::pair{ResoundingKey, c.resoundingVersion}}) {
            if (!value)
                continue;
            local.registry.addKey(RootKey::CurrentUser, key);
            if (value->type != ValueType::None)
                local.registry.setValue(RootKey::CurrentUser, key, "version_name", *value);
        }
        local.log.clear();

        std::string text;
        localLink.DetectClientVersion(text);
        EXPECT_EQ(text, c.text) << c.what;
        EXPECT_EQ(localLink.UpdaterPresent(), c.updaterPresent) << c.what;
        EXPECT_THAT(local.log,
                    ElementsAre(OpenAppPaths, "exists " + updater,
                                "open HKCU\\" + (c.updaterFile ? GameSpyKey : ResoundingKey)))
            << c.what;
        EXPECT_EQ(local.registry.openKeys(), 0) << c.what;
    }
    EXPECT_EQ(app::clientFolder("C:\\Program Files\\RW\\roger.exe"), "C:\\Program Files\\RW\\");
    EXPECT_EQ(app::clientFolder("\\\\server\\share\\roger.exe"), "\\\\server\\share\\");
    EXPECT_EQ(app::clientFolder("C:roger.exe"), "C:");
    EXPECT_EQ(app::clientFolder("roger.exe"), "");
}

TEST_F(RogerWilcoTest, DetectClientVersionLeavesTextAndVariantAloneWhenNoSettingsKeyOpens)
{
    install();
    fakes.files.addFile("C:\\Program Files\\Roger Wilco\\fpupdate.exe");
    fakes.registry.setText(RootKey::CurrentUser, GameSpyKey, "version_name", "1.4");
    std::string text;
    link.DetectClientVersion(text);
    ASSERT_EQ(text, "1.4");
    ASSERT_TRUE(link.UpdaterPresent());

    // The settings key goes away: the About box shows what it was given, the variant stays.
    fakes.registry.removeKey(RootKey::CurrentUser, GameSpyKey);
    text = "";
    link.DetectClientVersion(text);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(link.UpdaterPresent());

    // The updater goes too, and the other variant has no key either.
    fakes.files.removeFile("C:\\Program Files\\Roger Wilco\\fpupdate.exe");
    link.DetectClientVersion(text);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(link.UpdaterPresent());

    // The other variant's key appears: the variant follows it.
    fakes.registry.addKey(RootKey::CurrentUser, ResoundingKey);
    link.DetectClientVersion(text);
    EXPECT_EQ(text, "Version Name Missing");
    EXPECT_FALSE(link.UpdaterPresent());
}

TEST_F(RogerWilcoTest, ReadClientVolumesReadsTheVariantsKeyWith128ForMissingOrWrongTypes)
{
    using V = std::optional<RegistryValue>;
    auto dword = [](std::string bytes) { return V(RegistryValue{ValueType::Dword, bytes}); };
    struct Case {
        const char* what;
        bool updater;
        bool keyExists;
        V playVol;
        V recVol;
        int play;
        int rec;
    };
    const Case cases[] = {
        {"both set", false, true, dword("\xc8\0\0\0"s), dword("\x05\0\0\0"s), 200, 5},
        {"both set, updater", true, true, dword("\xc8\0\0\0"s), dword("\x05\0\0\0"s), 200, 5},
        {"out of range kept", false, true, dword("\x2c\x01\0\0"s), dword("\0\0\0\0"s), 300, 0},
        {"negative", true, true, dword("\xff\xff\xff\xff"s), std::nullopt, -1, 128},
        {"missing", false, true, std::nullopt, std::nullopt, 128, 128},
        {"text", false, true, V(RegistryValue{ValueType::Text, "200\0"s}),
         V(RegistryValue{ValueType::Binary, "\xc8\0\0\0"s}), 128, 128},
        {"wrong sizes", true, true, dword("\xc8\0\0"s),
         V(RegistryValue{ValueType::Qword, "\xc8\0\0\0\0\0\0\0"s}), 128, 128},
        {"no key", false, false, std::nullopt, std::nullopt, 128, 128},
        {"no key, updater", true, false, std::nullopt, std::nullopt, 128, 128},
    };
    for (const auto& c : cases) {
        platform::FakeServices local;
        RogerWilco localLink(local.services());
        local.registry.setText(RootKey::LocalMachine, AppPaths, "", ClientPath);
        if (c.updater) {
            local.files.addFile("C:\\Program Files\\Roger Wilco\\fpupdate.exe");
            local.registry.addKey(RootKey::CurrentUser, GameSpyKey);
        } else {
            local.registry.addKey(RootKey::CurrentUser, ResoundingKey);
        }
        std::string text;
        localLink.DetectClientVersion(text);
        ASSERT_EQ(localLink.UpdaterPresent(), c.updater) << c.what;

        const std::string& key = c.updater ? GameSpyKey : ResoundingKey;
        const std::string& other = c.updater ? ResoundingKey : GameSpyKey;
        if (!c.keyExists)
            local.registry.removeKey(RootKey::CurrentUser, key);
        if (c.playVol)
            local.registry.setValue(RootKey::CurrentUser, key, "play_vol", *c.playVol);
        if (c.recVol)
            local.registry.setValue(RootKey::CurrentUser, key, "rec_vol", *c.recVol);
        // The other variant's values never count.
        local.registry.setDword(RootKey::CurrentUser, other, "play_vol", 77);
        local.registry.setDword(RootKey::CurrentUser, other, "rec_vol", 77);
        local.log.clear();

        auto volumes = localLink.ReadClientVolumes();
        EXPECT_EQ(volumes.playVolume, c.play) << c.what;
        EXPECT_EQ(volumes.recordVolume, c.rec) << c.what;
        EXPECT_THAT(local.log, ElementsAre("open HKCU\\" + key)) << c.what;
        EXPECT_EQ(local.registry.openKeys(), 0) << c.what;
    }
}
