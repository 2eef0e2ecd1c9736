// The voice-client link against the client simulator, with the real registry, processes and
// window messages.

#include "app/RogerWilco.h"
#include "base/win32/Handles.h"
#include "platform/win32/Win32Services.h"

#include "WinTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

using namespace wintest;
using app::RogerWilco;
using testing::ElementsAre;

namespace {

const char* const GameSpyKey = "Software\\GameSpy\\Roger Wilco";
const char* const ResoundingKey = "Software\\Resounding\\Roger Wilco";
const char* const LogVariable = "KESTRION_CLIENTSIM_LOG";
const char* const TitleVariable = "KESTRION_CLIENTSIM_TITLE";

std::chrono::milliseconds elapsedSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

// The lines that mark the start of a simulator: its arguments as it received them.
std::vector<std::string> startedWith(const std::vector<std::string>& lines)
{
    std::vector<std::string> args;
    for (const auto& line : lines) {
        if (line.rfind("ARGS ", 0) == 0)
            args.push_back(line.substr(5));
    }
    return args;
}

// The log without the start lines: what the running clients were handed.
std::vector<std::string> received(const std::vector<std::string>& lines)
{
    std::vector<std::string> events;
    for (const auto& line : lines) {
        if (line.rfind("CMDLINE ", 0) != 0 && line.rfind("ARGS ", 0) != 0)
            events.push_back(line);
    }
    return events;
}

// Checks what a client received for a series of commands. The three registered messages are
// posted, so they arrive in their order, Remove, New, Sort, per command; the copy data is
// sent, and the system hands a sent message to the receiver before any posted message still
// waiting in its queue, so it overtakes Remove and New (even the previous Sort) whenever the
// client has not fetched them yet, which under Wine is nearly always; but never its own Sort,
// which is posted only once the client has taken the data.
testing::AssertionResult framed(const std::vector<std::string>& events,
                                const std::vector<std::string>& commands)
{
    std::vector<std::string> posted, sent;
    std::vector<std::size_t> sentAt, sortAt;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].rfind("COPYDATA ", 0) == 0) {
            sent.push_back(events[i]);
            sentAt.push_back(i);
        } else {
            posted.push_back(events[i]);
            if (events[i] == "SORT")
                sortAt.push_back(i);
        }
    }
    std::vector<std::string> expectedPosted, expectedSent;
    for (const auto& command : commands) {
        expectedPosted.insert(expectedPosted.end(), {"REMOVE", "NEW", "SORT"});
        expectedSent.push_back("COPYDATA 254 " + command);
    }
    auto all = [&events] {
        std::string text;
        for (const auto& e : events)
            text += "\n  " + e;
        return text;
    };
    if (posted != expectedPosted || sent != expectedSent)
        return testing::AssertionFailure() << "unexpected events:" << all();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (sentAt[i] > sortAt[i])
            return testing::AssertionFailure() << "Sort before its copy data:" << all();
    }
    return testing::AssertionSuccess();
}

std::string imagePathOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    base::win32::UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process)
        return {};
    char path[MAX_PATH * 4] = {};
    DWORD size = sizeof path;
    std::string result;
    if (QueryFullProcessImageNameA(process.get(), 0, path, &size))
        result.assign(path, size);
    return result;
}

void copyFileOrThrow(const std::string& from, const std::string& to)
{
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + from + " to " + to);
}

class RogerWilcoWinTest : public testing::Test {
protected:
    void SetUp() override
    {
        clearClientRegistry();
        SetEnvironmentVariableA(LogVariable, log.c_str());
        SetEnvironmentVariableA(TitleVariable, nullptr);
    }

    void TearDown() override
    {
        endStartedClients();
        clearClientRegistry();
        SetEnvironmentVariableA(LogVariable, nullptr);
        SetEnvironmentVariableA(TitleVariable, nullptr);
    }

    static void clearClientRegistry()
    {
        removeClientAppPath();
        deleteRegistryTree(HKEY_CURRENT_USER, GameSpyKey);
        deleteRegistryTree(HKEY_CURRENT_USER, ResoundingKey);
    }

    // Processes other than this one that show a dialog window: the simulators.
    static std::vector<DWORD> clientProcesses()
    {
        std::vector<DWORD> pids;
        wintest::forEachWindow([&pids](HWND w) {
            char name[64] = {};
            GetClassNameA(w, name, sizeof name);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (std::string(name) == "#32770" && pid != GetCurrentProcessId())
                pids.push_back(pid);
            return true;
        });
        return pids;
    }

    // Simulators that the link started are nobody's children here: end them by their windows,
    // so that no window is left for the next test to find. A test that starts clients waits
    // for their windows before it ends.
    static void endStartedClients()
    {
        for (DWORD pid : clientProcesses()) {
            base::win32::UniqueKernelHandle p(
                OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
            if (p) {
                TerminateProcess(p.get(), 0);
                WaitForSingleObject(p.get(), 5000);
            }
        }
    }

    static HWND clientWindow() { return FindWindowA("#32770", "Roger Wilco"); }

    TempDir dir;
    const std::string log = dir.file("client.log");
    RogerWilco link{platform::win32Services()};
};

} // namespace

TEST_F(RogerWilcoWinTest, RunningClientReceivesRemoveNewCopyDataAndSortInThisOrder)
{
    setClientAppPath(ClientSimulator::exePath());
    ClientSimulator client(log);
    const std::string command = "/join1 127.0.0.1/ALPHA secret";

    EXPECT_TRUE(link.SendClientCommand(command));
    EXPECT_TRUE(link.SendClientCommand("/join1 127.0.0.1/ "));

    auto lines = waitForLogLines(log, 10);
    EXPECT_TRUE(framed(received(lines), {command, "/join1 127.0.0.1/ "}));
    EXPECT_EQ(startedWith(lines).size(), 1u) << "no client may be started beside a running one";
    EXPECT_FALSE(link.ClientLaunched());
}

TEST_F(RogerWilcoWinTest, ClientIsFoundUnderEachOfItsTitlesAndGetsCommandsCutAt253)
{
    setClientAppPath(ClientSimulator::exePath());
    const std::string longCommand = "/join1 127.0.0.1/" + std::string(300, 'Q') + " pw";
    for (const char* title :
         {"Roger Wilco *Registered*", "Roger Wilco (Unregistered)", "Roger Wilco (Transmit)"}) {
        TempDir own;
        ClientSimulator::Options options;
        options.title = title;
        ClientSimulator client(own.file("client.log"), options);
        EXPECT_EQ(link.FindClientWindow(), static_cast<platform::WindowHandle>(
                                               reinterpret_cast<std::uintptr_t>(client.window())))
            << title;
        EXPECT_TRUE(link.SendClientCommand(longCommand)) << title;
        auto lines = waitForLogLines(own.file("client.log"), 6);
        // The 254 bytes sent end in the zero the client reads the text up to.
        EXPECT_TRUE(framed(received(lines), {longCommand.substr(0, 253)})) << title;
    }
}

TEST_F(RogerWilcoWinTest, FirstCommandStartsTheClientEmptyWaitsAndThenDelivers)
{
    setClientAppPath(ClientSimulator::exePath());
    const std::string command = "/join1 127.0.0.1/BRAVO pw";

    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(link.SendClientCommand(command));
    EXPECT_GE(elapsedSince(start).count(), 2000);
    EXPECT_TRUE(link.ClientLaunched());

    // The client started with empty arguments. Within the wait its window either appeared
    // and took the command by message, or it did not and a second client got the command
    // as its arguments: both deliver.
    auto lines = waitForLogLines(log, 4);
    auto started = startedWith(lines);
    ASSERT_GE(started.size(), 1u);
    EXPECT_EQ(started[0], "");
    if (started.size() == 1) {
        lines = waitForLogLines(log, 6);
        EXPECT_TRUE(framed(received(lines), {command}));
    } else {
        EXPECT_THAT(started, ElementsAre("", command));
    }
    ASSERT_TRUE(waitFor([] { return clientWindow() != nullptr; }));

    // With a window, later commands go by message and start nothing.
    std::size_t before = waitForLogLines(log, 0).size();
    EXPECT_TRUE(link.SendClientCommand("/volume 133"));
    lines = waitForLogLines(log, before + 4);
    EXPECT_TRUE(framed({lines.begin() + static_cast<long>(before), lines.end()}, {"/volume 133"}));

    // Once the client has gone, a command becomes a new client's command line at once, whole,
    // without the wait.
    endStartedClients();
    ASSERT_TRUE(waitFor([] { return clientWindow() == nullptr; }));
    const std::string longCommand = "/join1 127.0.0.1/" + std::string(300, 'L') + " pw";
    start = std::chrono::steady_clock::now();
    EXPECT_TRUE(link.SendClientCommand(longCommand));
    EXPECT_LT(elapsedSince(start).count(), 2000);
    ASSERT_TRUE(waitFor([&] { return startedWith(logLines(log)).back() == longCommand; }));
    ASSERT_TRUE(waitFor([] { return clientWindow() != nullptr; }));
}

TEST_F(RogerWilcoWinTest, ClientWhoseWindowNeverAppearsGetsTheCommandAsASecondClient)
{
    setClientAppPath(ClientSimulator::exePath());
    SetEnvironmentVariableA(TitleVariable, "Roger Wilco Setup");

    EXPECT_TRUE(link.SendClientCommand("/leave DEFAULT"));

    ASSERT_TRUE(waitFor([&] { return startedWith(logLines(log)).size() >= 2; })) << readFile(log);
    EXPECT_THAT(startedWith(logLines(log)), ElementsAre("", "/leave DEFAULT"));
    ASSERT_TRUE(waitFor([] { return clientProcesses().size() == 2; }));
    EXPECT_TRUE(link.ClientLaunched());
}

TEST_F(RogerWilcoWinTest, ClientPathWithBlanksStartsTheClientAndNeverAProgramAtAShorterPrefix)
{
    // C:\...\Program.exe would run instead of C:\...\Program Files\RW Client\roger.exe if the
    // path went onto the command line unquoted.
    ASSERT_TRUE(CreateDirectoryA(dir.file("Program Files").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(dir.file("Program Files\\RW Client").c_str(), nullptr));
    const std::string roger = dir.file("Program Files\\RW Client\\roger.exe");
    copyFileOrThrow(ClientSimulator::exePath(), roger);
    copyFileOrThrow(ClientSimulator::exePath(), dir.file("Program.exe"));
    setClientAppPath(roger);

    EXPECT_TRUE(link.LaunchClient("/file C:\\My Configs\\team.rwc"));
    ASSERT_TRUE(waitFor([] { return clientWindow() != nullptr; }));
    EXPECT_THAT(startedWith(waitForLogLines(log, 2)),
                ElementsAre("/file C:\\My Configs\\team.rwc"));
    std::string image = imagePathOf(clientWindow());
    CharUpperA(image.data());
    EXPECT_THAT(image, testing::EndsWith("\\PROGRAM FILES\\RW CLIENT\\ROGER.EXE"));
}

TEST_F(RogerWilcoWinTest, MissingInstallationFailsAndIsDetectedAsNotInstalled)
{
    // No App Paths key; then a key whose default value is a number rather than a path.
    for (bool keyWithNumber : {false, true}) {
        if (keyWithNumber)
            setRegistryNumber(HKEY_LOCAL_MACHINE,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe",
                              "", 1);
        EXPECT_FALSE(link.LaunchClient("")) << keyWithNumber;
        auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(link.SendClientCommand("/volume 133")) << keyWithNumber;
        EXPECT_GE(elapsedSince(start).count(), 2000) << keyWithNumber;
        EXPECT_FALSE(link.ClientLaunched()) << keyWithNumber;

        std::string version = "as given";
        link.DetectClientVersion(version);
        EXPECT_EQ(version, "Not Installed") << keyWithNumber;
        EXPECT_FALSE(link.UpdaterPresent()) << keyWithNumber;
    }
    EXPECT_EQ(readFile(log), "") << "nothing may have been started";
}

TEST_F(RogerWilcoWinTest, EachVariantReadsItsOwnVersionAndVolumes)
{
    const std::string roger = dir.file("roger.exe");
    ASSERT_TRUE(writeFile(roger, "MZ"));
    setClientAppPath(roger);
    setRegistryText(HKEY_CURRENT_USER, GameSpyKey, "version_name", "1.4.1.9");
    setRegistryNumber(HKEY_CURRENT_USER, GameSpyKey, "play_vol", 200);
    setRegistryNumber(HKEY_CURRENT_USER, GameSpyKey, "rec_vol", 50);
    setRegistryText(HKEY_CURRENT_USER, ResoundingKey, "version_name", "0.3 beta");
    setRegistryNumber(HKEY_CURRENT_USER, ResoundingKey, "play_vol", 10);
    setRegistryNumber(HKEY_CURRENT_USER, ResoundingKey, "rec_vol", 300);

    std::string version;
    link.DetectClientVersion(version);
    EXPECT_EQ(version, "0.3 beta");
    EXPECT_FALSE(link.UpdaterPresent());
    auto volumes = link.ReadClientVolumes();
    EXPECT_EQ(volumes.playVolume, 10);
    EXPECT_EQ(volumes.recordVolume, 300);

    ASSERT_TRUE(writeFile(dir.file("fpupdate.exe"), ""));
    link.DetectClientVersion(version);
    EXPECT_EQ(version, "1.4.1.9");
    EXPECT_TRUE(link.UpdaterPresent());
    volumes = link.ReadClientVolumes();
    EXPECT_EQ(volumes.playVolume, 200);
    EXPECT_EQ(volumes.recordVolume, 50);
}

TEST_F(RogerWilcoWinTest, ValuesOfTheWrongTypeCountAsMissing)
{
    const std::string roger = dir.file("roger.exe");
    ASSERT_TRUE(writeFile(roger, "MZ"));
    setClientAppPath(roger);
    setRegistryNumber(HKEY_CURRENT_USER, ResoundingKey, "version_name", 3);
    setRegistryText(HKEY_CURRENT_USER, ResoundingKey, "play_vol", "200");
    base::win32::UniqueRegistryKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ResoundingKey, 0, KEY_SET_VALUE, key.put()),
              ERROR_SUCCESS);
    const unsigned long long wide = 200;
    RegSetValueExA(key.get(), "rec_vol", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide),
                   sizeof wide);
    key.reset();

    std::string version;
    link.DetectClientVersion(version);
    EXPECT_EQ(version, "Version Name Missing");
    auto volumes = link.ReadClientVolumes();
    EXPECT_EQ(volumes.playVolume, 128);
    EXPECT_EQ(volumes.recordVolume, 128);

    // No settings key at all: the version text stays as given, both volumes are 128.
    deleteRegistryTree(HKEY_CURRENT_USER, ResoundingKey);
    version = "";
    link.DetectClientVersion(version);
    EXPECT_EQ(version, "");
    volumes = link.ReadClientVolumes();
    EXPECT_EQ(volumes.playVolume, 128);
    EXPECT_EQ(volumes.recordVolume, 128);
}

TEST_F(RogerWilcoWinTest, HungClientFailsTheCommandWithinSecondsAndStartsNothing)
{
    setClientAppPath(ClientSimulator::exePath());
    ClientSimulator::Options options;
    options.freeze = true;
    ClientSimulator client(log, options);

    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(link.SendClientCommand("/volume 133"));
    auto took = elapsedSince(start);
    EXPECT_GE(took.count(), 1000) << "the send must wait for a busy client a while";
    EXPECT_LT(took.count(), 10000) << "a hung client must not hold the program";
    EXPECT_FALSE(link.ClientLaunched());
    EXPECT_EQ(startedWith(logLines(log)).size(), 1u);
}

TEST_F(RogerWilcoWinTest, CliSendDeliversAndReportsFailureInItsExitStatus)
{
    const std::string cli = quoted(exeDir() + "kestrion-cli.exe");
    {
        setClientAppPath(ClientSimulator::exePath());
        ClientSimulator client(log);
        RunResult result = run(cli + " send \"/volume 200\"");
        EXPECT_EQ(result.exitCode, 0u) << result.err;
        EXPECT_THAT(result.out, testing::HasSubstr("\"delivered\":true"));
        EXPECT_TRUE(framed(received(waitForLogLines(log, 6)), {"/volume 200"}));
    }
    ASSERT_TRUE(waitFor([] { return clientWindow() == nullptr; }));
    removeClientAppPath();

    // Neither a window nor an installation.
    RunResult result = run(cli + " send /shutdown");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_THAT(result.out, testing::HasSubstr("\"delivered\":false"));
    EXPECT_FALSE(result.err.empty());

    result = run(cli + " send");
    EXPECT_EQ(result.exitCode, 2u);
}

// Any program may open a dialog titled like the client's: the commands, password and all, go
// to the window of the installed client, though a look-alike of another program opened after
// it stands in front.
TEST_F(RogerWilcoWinTest, ALookAlikeWindowOfAnotherProgramReceivesNothing)
{
    TempDir other;
    const std::string lookAlike = other.file("lookalike.exe");
    copyFileOrThrow(ClientSimulator::exePath(), lookAlike);
    setClientAppPath(ClientSimulator::exePath());
    const std::string lookAlikeLog = other.file("lookalike.log");
    ClientSimulator client(log);
    ClientSimulator::Options options;
    options.program = lookAlike;
    ClientSimulator impostor(lookAlikeLog, options);

    EXPECT_EQ(link.FindClientWindow(), static_cast<platform::WindowHandle>(
                                           reinterpret_cast<std::uintptr_t>(client.window())));
    EXPECT_TRUE(link.SendClientCommand("/join1 127.0.0.1/ALPHA secret"));
    EXPECT_TRUE(framed(received(waitForLogLines(log, 6)), {"/join1 127.0.0.1/ALPHA secret"}));
    EXPECT_TRUE(received(logLines(lookAlikeLog)).empty());
    EXPECT_FALSE(link.ClientLaunched());
}
