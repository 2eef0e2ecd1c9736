// kestrion.exe from start to stop under Wine, with the client simulator as the voice client:
// the start-up launch and join, hotkey messages, keys through the real hook library (also
// while the program waits for the client), the tray icon, hiding, the error when no client is
// installed, and Exit.

#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <functional>

using namespace wintest;

namespace {

// Windows of this test. The typing target stands for another program the user types into and
// notes when each key-down reaches it; the stand-in client is a hidden window of the client's
// class and title that notes the commands it is sent.
struct Arrival {
    WPARAM key;
    DWORD tick;
};
std::vector<Arrival> g_arrivals;
std::function<void()> g_onArrival;
struct Command {
    std::string text;
    DWORD tick;
};
std::vector<Command> g_commands;

LRESULT CALLBACK typingTargetProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_KEYDOWN) {
        g_arrivals.push_back({wp, GetTickCount()});
        if (g_onArrival)
            g_onArrival();
    }
    return DefWindowProcA(w, m, wp, lp);
}

LRESULT CALLBACK standInClientProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        g_commands.push_back({static_cast<const char*>(data->lpData), GetTickCount()});
        return TRUE;
    }
    return DefWindowProcA(w, m, wp, lp);
}

// Runs a command of the Linux host to its end while this thread handles its messages (Wine
// gives no handle for a Linux process to wait on, so the command leaves a marker file).
bool runOnHostPumping(const std::string& command)
{
    const std::string marker = "/tmp/kestrion-program-test-" +
                               std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(GetTickCount());
    std::string line = "/bin/sh -c \"" + command + "; touch " + marker + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    const std::string windowsMarker = "Z:" + marker;
    bool ended = waitFor(
        [&] { return GetFileAttributesA(windowsMarker.c_str()) != INVALID_FILE_ATTRIBUTES; },
        std::chrono::seconds(30));
    DeleteFileA(windowsMarker.c_str());
    return ended;
}

// A copy of the program in a folder of its own, so that its home profile is the test's.
class ProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileA((exeDir() + "kestrion.exe").c_str(), m_program.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((exeDir() + "kestrihk.dll").c_str(), dir.file("kestrihk.dll").c_str(),
                              FALSE));
        setClientAppPath(ClientSimulator::exePath());
        SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", m_log.c_str());
        SetEnvironmentVariableA("KESTRION_CLIENTSIM_TITLE", nullptr);
    }
    void TearDown() override
    {
        m_process.reset();
        // Whatever simulator the program started goes too.
        for (int i = 0; i < 4; ++i) {
            if (HWND client = FindWindowA("#32770", "Roger Wilco"))
                PostMessageA(client, WM_CLOSE, 0, 0);
            Sleep(50);
        }
        removeClientAppPath();
    }

    void profile(const std::string& text)
    {
        ASSERT_TRUE(writeFile(dir.file("kestrion.ini"), text));
    }

    // Starts the program and waits until the client has taken `joins` commands.
    HWND start(std::size_t copyDataLines = 1)
    {
        m_process = std::make_unique<Process>(wintest::quoted(m_program));
        if (copyDataLines > 0) {
            EXPECT_TRUE(waitForCopyData(copyDataLines));
        }
        return m_process->window("TMainForm", std::chrono::seconds(15));
    }

    std::vector<std::string> copyData() const
    {
        std::vector<std::string> out;
        for (const auto& line : logLines(m_log))
            if (line.rfind("COPYDATA 254 ", 0) == 0)
                out.push_back(line.substr(13));
        return out;
    }
    bool waitForCopyData(std::size_t count)
    {
        return waitFor([&] { return copyData().size() >= count; }, std::chrono::seconds(15));
    }
    // Posts a message to the main window and waits for the client's next command.
    std::string hotkey(HWND main, UINT message)
    {
        std::size_t before = copyData().size();
        PostMessageA(main, message, 0, 0);
        if (!waitForCopyData(before + 1))
            return "(nothing)";
        return copyData().back();
    }
    static bool trayIconShown(HWND main)
    {
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = main;
        data.uID = 100;
        return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
    }
    // Keys typed by the user (through X, as a real keyboard would) into `target`, whose title
    // contains `title`. Without a window manager X gives the focus only when asked, and Wine
    // takes it over a little later, so the keys go out once Wine has made `target` the
    // foreground window.
    static void typeInto(HWND target, const std::string& title, const std::string& keys)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            run("/bin/sh -c \"xdotool search --onlyvisible --name '" + title +
                "' windowfocus --sync\"");
            if (waitFor([&] { return GetForegroundWindow() == target; },
                        std::chrono::milliseconds(1000)))
                break;
        }
        run("/bin/sh -c \"xdotool key --delay 100 " + keys + "\"");
    }
    // Whether a menu of the window's thread is open (a pop-up menu window shows).
    static bool menuShown(HWND main)
    {
        DWORD thread = GetWindowThreadProcessId(main, nullptr);
        bool shown = false;
        forEachWindow([&](HWND w) {
            char name[16] = {};
            GetClassNameA(w, name, sizeof name);
            if (std::string(name) == "#32768" && IsWindowVisible(w) &&
                GetWindowThreadProcessId(w, nullptr) == thread)
                shown = true;
            return !shown;
        });
        return shown;
    }
    // File, then the item with the access key `item`, typed as a user does. Under load Wine
    // now and then loses the Alt chord typed into a window that has only just become the
    // foreground one, so the chord is typed again until the menu shows, and the item's key
    // again while the menu stays open.
    static bool chooseFromFileMenu(HWND main, const std::string& item)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            typeInto(main, "Corvandial", "alt+f");
            if (!waitFor([&] { return menuShown(main); }, std::chrono::seconds(3)))
                continue;
            for (int press = 0; press < 3; ++press) {
                run("/bin/sh -c \"xdotool key " + item + "\"");
                if (waitFor([&] { return !menuShown(main); }, std::chrono::seconds(3)))
                    return true;
            }
        }
        return false;
    }

    TempDir dir;
    std::unique_ptr<Process> m_process;

private:
    std::string m_program = dir.file("kestrion.exe");
    std::string m_log = dir.file("client.log");
};

const char TwoChannels[] =
    "[host]\r\naddress=10.0.0.1\r\npassword=pw\r\n"
    "[channels]\r\ncount=2\r\ndefault=2\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n"
    "[keys]\r\nrequire_ctrl=1\r\nchannel1=116\r\nchannel0=117\r\n";

} // namespace

TEST_F(ProgramTest, StartsTheClientJoinsTheInitialChannelAndShowsItself)
{
    profile(TwoChannels);
    HWND main = start();
    ASSERT_NE(main, nullptr);
    auto lines = logLines(dir.file("client.log"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "ARGS "); // started with empty arguments
    EXPECT_EQ(copyData(), (std::vector<std::string>{"/join1 10.0.0.1/BRAVO pw"}));
    // Remove and New are posted before the join and Sort after it.
    auto sort = std::find(lines.begin(), lines.end(), "SORT");
    EXPECT_NE(sort, lines.end());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "REMOVE"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "NEW"), 1);

    char caption[256] = {};
    GetWindowTextA(main, caption, sizeof caption);
    EXPECT_STREQ(caption, "Quorbit's RW Corvandial");
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_TRUE(waitFor([&] { return trayIconShown(main); }));
}

TEST_F(ProgramTest, HotkeyMessagesBecomeClientCommands)
{
    profile(TwoChannels);
    HWND main = start();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(hotkey(main, 0x403), "/join1 10.0.0.1/ALPHA pw");
    EXPECT_EQ(hotkey(main, 0x401), "/join1 10.0.0.1/BRAVO pw");
    EXPECT_EQ(hotkey(main, 0x402), "/join1 10.0.0.1/ALPHA pw");
    EXPECT_EQ(hotkey(main, 0x40D), "/leave Alpha");
    EXPECT_EQ(hotkey(main, 0x40C), "/join1 10.0.0.1/ pw");
    EXPECT_EQ(hotkey(main, 0x40F), "/volume 133");
    EXPECT_EQ(hotkey(main, 0x410), "/volume 128");
    EXPECT_EQ(hotkey(main, 0x411), "/gain 133");
    EXPECT_EQ(hotkey(main, 0x412), "/gain 128");
    // Each hotkey joined exactly once.
    EXPECT_EQ(copyData().size(), 10u);
}

TEST_F(ProgramTest, KeysPressedAnywhereReachTheProgramThroughTheHookLibrary)
{
    profile(TwoChannels);
    HWND main = start();
    ASSERT_NE(main, nullptr);
    // X delivers keys to the focused Wine window; every Wine window's keys pass the hook.
    HWND client = FindWindowA("#32770", "Roger Wilco");
    typeInto(client, "Roger Wilco", "ctrl+F5");
    ASSERT_TRUE(waitForCopyData(2));
    EXPECT_EQ(copyData().back(), "/join1 10.0.0.1/ALPHA pw");
    // Without Ctrl the key is no hotkey of this profile; with it, it is. (Wine hands the
    // releases of a chord to the hook only once the client has handled the join; the pauses
    // keep them before the next press, as a user's hands would. Keys typed into the hooking
    // program's own windows reach its hook out of order under Wine, so all go to the client.)
    Sleep(1000);
    typeInto(client, "Roger Wilco", "F6");
    Sleep(1000);
    EXPECT_EQ(copyData(),
              (std::vector<std::string>{"/join1 10.0.0.1/BRAVO pw", "/join1 10.0.0.1/ALPHA pw"}));
    typeInto(client, "Roger Wilco", "ctrl+F6");
    ASSERT_TRUE(waitForCopyData(3));
    EXPECT_EQ(copyData().back(), "/join1 10.0.0.1/ pw");
}

TEST_F(ProgramTest, TypingElsewhereNeverWaitsWhileTheProgramWaitsForTheClient)
{
    profile("[host]\r\naddress=10.0.0.1\r\npassword=pw\r\n"
            "[channels]\r\ncount=2\r\ndefault=2\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n"
            "[keys]\r\nchannel1=116\r\nchannel2=117\r\nchannel0=118\r\n");
    HWND main = start();
    ASSERT_NE(main, nullptr);

    WNDCLASSA wc{};
    wc.lpfnWndProc = typingTargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TypingTarget";
    RegisterClassA(&wc);
    HWND target = CreateWindowExA(0, "TypingTarget", "Typing target",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 300, 100, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ASSERT_NE(target, nullptr);
    auto focusTarget = [&] {
        // Asked of both: X decides where typed keys go, Wine which window is in front.
        for (int attempt = 0; attempt < 5 && GetForegroundWindow() != target; ++attempt) {
            SetForegroundWindow(target);
            runOnHostPumping(
                "xdotool search --onlyvisible --name '^Typing target$' windowfocus --sync");
            waitFor([&] { return GetForegroundWindow() == target; }, std::chrono::milliseconds(1000));
        }
        return GetForegroundWindow() == target;
    };
    ASSERT_TRUE(focusTarget());

    // With the client gone, the next command starts it and the program waits 2 s for it. The
    // program then started is one that ends at once and shows nothing (a client's window would
    // take the keyboard focus); this test's stand-in client window comes up meanwhile. The
    // client closes once the target has the focus: a closing foreground window hands the
    // focus on, at a moment of Wine's choosing.
    HWND client = FindWindowA("#32770", "Roger Wilco");
    ASSERT_NE(client, nullptr);
    DWORD clientId = 0;
    GetWindowThreadProcessId(client, &clientId);
    HANDLE clientProcess = OpenProcess(SYNCHRONIZE, FALSE, clientId);
    ASSERT_NE(clientProcess, nullptr);
    PostMessageA(client, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return WaitForSingleObject(clientProcess, 0) == WAIT_OBJECT_0; }));
    CloseHandle(clientProcess);
    ASSERT_EQ(FindWindowA("#32770", "Roger Wilco"), nullptr);
    setClientAppPath(exeDir() + "kestrion-cli.exe");
    ASSERT_TRUE(focusTarget());

    // F5 sets the program waiting; F6 and F7 come while it waits; letters all along, one every
    // 100 ms, as a user types. The stand-in client appears with the third letter.
    HWND standIn = nullptr;
    g_arrivals.clear();
    g_commands.clear();
    g_onArrival = [&] {
        if (g_arrivals.size() == 4) {
            standIn = CreateWindowExA(0, "#32770", "Roger Wilco", WS_OVERLAPPED, 0, 0, 100, 100,
                                      nullptr, nullptr, nullptr, nullptr);
            SetWindowLongPtrA(standIn, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(standInClientProc));
        }
    };
    ASSERT_TRUE(runOnHostPumping("xdotool key --delay 100 F5 a b c d e F6 f g h i j F7 "
                                 "a b c d e f g h i j k l m n o p q r s t u v w x y"));
    EXPECT_TRUE(waitFor([] { return g_arrivals.size() >= 38 && g_commands.size() >= 3; }));
    g_onArrival = nullptr;
    ASSERT_NE(standIn, nullptr);

    // Every key reached this program, none held back for the program's wait (a hook on its
    // waiting thread holds them for the whole 2 s).
    EXPECT_EQ(g_arrivals.size(), 38u);
    DWORD largestGap = 0;
    for (std::size_t i = 1; i < g_arrivals.size(); ++i)
        largestGap = std::max(largestGap, g_arrivals[i].tick - g_arrivals[i - 1].tick);
    EXPECT_LT(largestGap, 1000u);

    // The hotkeys pressed during the wait were handled after it, in order, each once.
    ASSERT_EQ(g_commands.size(), 3u);
    EXPECT_EQ(g_commands[0].text, "/join1 10.0.0.1/ALPHA pw");
    EXPECT_EQ(g_commands[1].text, "/join1 10.0.0.1/BRAVO pw");
    EXPECT_EQ(g_commands[2].text, "/join1 10.0.0.1/ pw");
    EXPECT_GE(g_commands[0].tick - g_arrivals[0].tick, 1500u) << "the program waited";

    // And the hook is alive after a wait longer than any hook time-out.
    ASSERT_TRUE(runOnHostPumping("xdotool key F5"));
    EXPECT_TRUE(waitFor([] { return g_commands.size() >= 4; }));
    ASSERT_EQ(g_commands.size(), 4u);
    EXPECT_EQ(g_commands[3].text, "/join1 10.0.0.1/ALPHA pw");
    DestroyWindow(standIn);
    DestroyWindow(target);
}

TEST_F(ProgramTest, ClosingTheWindowHidesItAndExitRemovesTheIcon)
{
    profile(TwoChannels);
    HWND main = start();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(waitFor([&] { return trayIconShown(main); }));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(main); }));
    EXPECT_TRUE(m_process->running());

    // A double click on the tray icon shows the window again; then File, Exit.
    PostMessageA(main, 0x40E, 100, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }));
    ASSERT_TRUE(chooseFromFileMenu(main, "x"));
    EXPECT_EQ(m_process->wait(std::chrono::seconds(10)), std::optional<DWORD>(0));
    EXPECT_FALSE(trayIconShown(main));
    // The client keeps running.
    EXPECT_NE(FindWindowA("#32770", "Roger Wilco"), nullptr);
}

TEST_F(ProgramTest, ExitAndShutdownStopsTheClientToo)
{
    profile(TwoChannels);
    HWND main = start();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(chooseFromFileMenu(main, "s"));
    EXPECT_EQ(m_process->wait(std::chrono::seconds(10)), std::optional<DWORD>(0));
    EXPECT_EQ(copyData().back(), "/shutdown");
    EXPECT_TRUE(waitFor([] { return FindWindowA("#32770", "Roger Wilco") == nullptr; }));
}

TEST_F(ProgramTest, WithoutAClientTheProgramSaysSoAndEnds)
{
    removeClientAppPath();
    profile(TwoChannels);
    m_process = std::make_unique<Process>(wintest::quoted(dir.file("kestrion.exe")));
    HWND box = nullptr;
    ASSERT_TRUE(waitFor([&] { return (box = FindWindowA("#32770", "Error Detected")) != nullptr; },
                        std::chrono::seconds(20)));
    std::string text;
    wintest::forEachChildWindow(box, [&text](HWND child) {
        char buf[512] = {};
        GetWindowTextA(child, buf, sizeof buf);
        if (std::string(buf).rfind("Unable to start RW.", 0) == 0)
            text = buf;
        return true;
    });
    EXPECT_EQ(text.substr(0, 19), "Unable to start RW.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(m_process->wait(std::chrono::seconds(10)), std::optional<DWORD>(0));
    EXPECT_TRUE(copyData().empty());
}
