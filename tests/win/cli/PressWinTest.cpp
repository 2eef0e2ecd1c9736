// kestrion-cli press against the real program under Wine, with the client simulator as the
// voice client: a pressed action reaches the client and the display as a hotkey would, every
// running copy is pressed, another program's window of the same class is left alone, and
// the exit statuses tell a script what happened.

#include "ScreenPicture.h"
#include "WinTestSupport.h"

#include "cli/Json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

using namespace wintest;

namespace {

// Messages of the hotkey range that reached the decoy window below.
int g_decoyHotkeys = 0;

LRESULT CALLBACK decoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= 0x401 && message <= 0x412)
        ++g_decoyHotkeys;
    return DefWindowProcA(window, message, wParam, lParam);
}

// EnumWindows' visitor for menuShownBy: stops at a shown pop-up menu of the process.
BOOL CALLBACK findShownMenu(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<std::pair<DWORD, bool>*>(data);
    char name[64] = {};
    DWORD owner = 0;
    GetClassNameA(window, name, sizeof name);
    GetWindowThreadProcessId(window, &owner);
    if (std::string(name) == "#32768" && IsWindowVisible(window) && owner == search.first)
        search.second = true;
    return !search.second;
}

// How many hotkey messages the decoy window got. What another process posted to it sits in
// this thread's queue from the moment the post returned, so handing out the queue once sees
// all of it.
int decoyHotkeys()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    return g_decoyHotkeys;
}

// Whether a pop-up menu of that process is on the screen.
bool menuShownBy(DWORD processId)
{
    std::pair<DWORD, bool> search{processId, false};
    EnumWindows(&findShownMenu, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// A hidden top-level window of this test program whose class is the main window's: many
// programs name their main window's class so.
class DecoyWindow {
public:
    DecoyWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &decoyProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TMainForm";
        RegisterClassA(&wc);
        m_window = CreateWindowExA(0, "TMainForm", "Another program", WS_OVERLAPPEDWINDOW, 0, 0,
                                   100, 100, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~DecoyWindow() { DestroyWindow(m_window); }
    DecoyWindow(const DecoyWindow&) = delete;
    DecoyWindow& operator=(const DecoyWindow&) = delete;
    HWND handle() const { return m_window; }

private:
    HWND m_window = nullptr;
};

// The client area of a window as the screen shows it, 0x00BBGGRR per pixel, row by row.
// A copy of the program in a folder of its own (under the given name, with its home profile
// beside it), started with the client simulator as the voice client.
class Copy {
public:
    Copy(const std::string& exeName, const std::string& profile)
    {
        const std::string program = m_dir.file(exeName);
        copied = CopyFileA((exeDir() + "kestrion.exe").c_str(), program.c_str(), FALSE) &&
                 CopyFileA((exeDir() + "kestrihk.dll").c_str(), m_dir.file("kestrihk.dll").c_str(),
                           FALSE) &&
                 writeFile(program.substr(0, program.size() - 4) + ".ini", profile);
        if (copied)
            m_process = std::make_unique<Process>(quoted(program));
    }
    HWND mainWindow() const
    {
        return m_process ? m_process->window("TMainForm", std::chrono::seconds(15)) : nullptr;
    }
    DWORD processId() const { return m_process ? m_process->id() : 0; }
    bool copied = false;

private:
    TempDir m_dir;
    std::unique_ptr<Process> m_process;
};

class PressTest : public testing::Test {
protected:
    void SetUp() override
    {
        setClientAppPath(ClientSimulator::exePath());
        SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", m_log.c_str());
        SetEnvironmentVariableA("KESTRION_CLIENTSIM_TITLE", nullptr);
        g_decoyHotkeys = 0;
    }
    void TearDown() override
    {
        m_copies.clear();
        // Whatever simulators the programs started go too.
        waitFor(
            [] {
                HWND client = FindWindowA("#32770", "Roger Wilco");
                if (client)
                    PostMessageA(client, WM_CLOSE, 0, 0);
                return client == nullptr;
            },
            std::chrono::seconds(5));
        removeClientAppPath();
    }

    // Starts a copy and waits until the client has taken its initial join.
    Copy& start(const std::string& exeName, const std::string& profile)
    {
        std::size_t before = copyData().size();
        m_copies.push_back(std::make_unique<Copy>(exeName, profile));
        EXPECT_TRUE(m_copies.back()->copied);
        EXPECT_TRUE(waitForCopyData(before + 1));
        return *m_copies.back();
    }

    static RunResult press(const std::string& action)
    {
        return run(quoted(exeDir() + "kestrion-cli.exe") + " press " + action);
    }
    // Presses an action and returns the client's next command.
    std::string pressAndWait(const std::string& action)
    {
        std::size_t before = copyData().size();
        RunResult result = press(action);
        EXPECT_EQ(result.exitCode, 0u) << action << ": " << result.err;
        if (!waitForCopyData(before + 1))
            return "(nothing)";
        return copyData().back();
    }

    std::vector<std::string> copyData() const { return copyDataTexts(m_log); }
    bool waitForCopyData(std::size_t count)
    {
        return waitFor([&] { return copyData().size() >= count; }, std::chrono::seconds(15));
    }
    // Waits until the display of that main window shows the caption.
    static bool lcdShows(HWND main, const std::string& caption)
    {
        const Picture expected = lcdShowing(caption);
        return waitFor([&] { return contains(captureClient(main), expected); });
    }

private:
    TempDir m_dir;
    std::string m_log = m_dir.file("client.log");
    std::vector<std::unique_ptr<Copy>> m_copies;
};

const char ThreeChannels[] =
    "[options]\r\nsounds=0\r\n"
    "[host]\r\naddress=10.0.0.1\r\npassword=pw\r\n"
    "[channels]\r\ncount=3\r\ndefault=1\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n"
    "channel3=Charlie\r\n";

const char TeamChannels[] =
    "[options]\r\nsounds=0\r\n"
    "[host]\r\naddress=10.0.0.2\r\npassword=team\r\n"
    "[channels]\r\ncount=2\r\ndefault=1\r\nchannel1=Xray\r\nchannel2=Yankee\r\n";

} // namespace

TEST_F(PressTest, PressedActionsReachTheClientAndTheDisplayAsHotkeysDo)
{
    Copy& kestrion = start("kestrion.exe", ThreeChannels);
    HWND main = kestrion.mainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(copyData().back(), "/join1 10.0.0.1/ALPHA pw");
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_TRUE(lcdShows(main, "Alpha"));
    // The comparison tells captions apart.
    EXPECT_FALSE(contains(captureClient(main), lcdShowing("Bravo")));

    RunResult first = press("channel2");
    EXPECT_EQ(first.exitCode, 0u) << first.err;
    EXPECT_EQ(first.err.find("kestrion-cli:"), std::string::npos) << first.err;
    cli::JsonValue json = cli::parseJson(first.out);
    EXPECT_EQ(json.find("action")->asString(), "channel2");
    EXPECT_EQ(json.find("found")->asInt(), 1);
    EXPECT_EQ(json.find("pressed")->asInt(), 1);
    ASSERT_EQ(json.find("kestrions")->asArray().size(), 1u);
    EXPECT_EQ(json.find("kestrions")->asArray()[0].find("processId")->asInt(),
              static_cast<std::int64_t>(kestrion.processId()));
    ASSERT_TRUE(waitForCopyData(2));
    EXPECT_EQ(copyData().back(), "/join1 10.0.0.1/BRAVO pw");
    EXPECT_TRUE(lcdShows(main, "Bravo"));
    keepForALook(captureClient(main), "press-channel2.ppm");

    EXPECT_EQ(pressAndWait("channel_up"), "/join1 10.0.0.1/CHARLIE pw");
    EXPECT_TRUE(lcdShows(main, "Charlie"));
    EXPECT_EQ(pressAndWait("increasevolume"), "/volume 133");
    EXPECT_EQ(pressAndWait("disconnect"), "/leave Charlie");
    EXPECT_TRUE(lcdShows(main, "Standing by..."));
    EXPECT_EQ(pressAndWait("Channel0"), "/join1 10.0.0.1/ pw");
    EXPECT_TRUE(lcdShows(main, "Default"));

    // traypop pops up the tray menu, as its hotkey does.
    RunResult tray = press("traypop");
    EXPECT_EQ(tray.exitCode, 0u) << tray.err;
    EXPECT_TRUE(waitFor([&] { return menuShownBy(kestrion.processId()); }));
}

TEST_F(PressTest, EveryRunningCopyIsPressedAndOtherProgramsAreLeftAlone)
{
    DecoyWindow decoy;
    ASSERT_NE(decoy.handle(), nullptr);
    Copy& home = start("kestrion.exe", ThreeChannels);
    // A renamed copy with a profile of its own counts as a Kestrion too.
    Copy& team = start("kestrion-team.exe", TeamChannels);
    ASSERT_NE(home.mainWindow(), nullptr);
    ASSERT_NE(team.mainWindow(), nullptr);

    std::size_t before = copyData().size();
    RunResult result = press("channel2");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    cli::JsonValue json = cli::parseJson(result.out);
    EXPECT_EQ(json.find("found")->asInt(), 2);
    EXPECT_EQ(json.find("pressed")->asInt(), 2);
    std::vector<std::int64_t> processes;
    for (const auto& k : json.find("kestrions")->asArray())
        processes.push_back(k.find("processId")->asInt());
    std::sort(processes.begin(), processes.end());
    std::vector<std::int64_t> expected{home.processId(), team.processId()};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(processes, expected);

    ASSERT_TRUE(waitForCopyData(before + 2));
    const std::vector<std::string> all = copyData();
    std::vector<std::string> joins(all.begin() + std::ptrdiff_t(before), all.end());
    std::sort(joins.begin(), joins.end());
    EXPECT_EQ(joins, (std::vector<std::string>{"/join1 10.0.0.1/BRAVO pw",
                                               "/join1 10.0.0.2/YANKEE team"}));
    EXPECT_EQ(decoyHotkeys(), 0);
}

TEST_F(PressTest, ExitStatusesTellAScriptWhatHappened)
{
    // No Kestrion runs; a window of the same class belongs to another program.
    DecoyWindow decoy;
    ASSERT_NE(decoy.handle(), nullptr);
    RunResult none = press("channel2");
    EXPECT_EQ(none.exitCode, 1u);
    EXPECT_NE(none.err.find("Kestrion is not running"), std::string::npos) << none.err;
    EXPECT_NE(none.err.find("1 window(s) of class TMainForm belong to other programs"),
              std::string::npos)
        << none.err;
    EXPECT_EQ(cli::parseJson(none.out).find("found")->asInt(), 0);

    Copy& kestrion = start("kestrion.exe", ThreeChannels);
    ASSERT_NE(kestrion.mainWindow(), nullptr);
    const std::size_t joins = copyData().size();
    // An unknown action, or none at all: status 2 and the list of actions, nothing pressed.
    for (const std::string& args : {std::string("channel10"), std::string("next"), std::string()}) {
        RunResult bad = press(args);
        EXPECT_EQ(bad.exitCode, 2u) << args;
        EXPECT_EQ(bad.out, "") << args;
        for (const char* action :
             {"channel0", "channel9", "channel_up", "channel_down", "disconnect", "traypop",
              "increasevolume", "decreasevolume", "increasegain", "decreasegain"})
            EXPECT_NE(bad.err.find(action), std::string::npos) << args << ": " << bad.err;
    }
    // A pressed action still gets through afterwards, and only it.
    EXPECT_EQ(pressAndWait("channel3"), "/join1 10.0.0.1/CHARLIE pw");
    EXPECT_EQ(copyData().size(), joins + 1);
    EXPECT_EQ(decoyHotkeys(), 0);
}
