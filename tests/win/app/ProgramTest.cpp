// kestrion.exe from start to stop under Wine, with the client simulator as the voice client:
// the start-up launch and join, hotkey messages, keys through the real hook library (also
// while the program waits for the client), the tray icon, hiding, the error when no client is
// installed, and Exit.

#include "ProgramFixture.h"
#include "WinTestSupport.h"
#include "base/win32/Handles.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <optional>

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

// How often the typing target had to take the front again while keys were typed into it.
unsigned g_frontTakenAgain = 0;

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

// "class 'title' (process id)", for a failure's message.
std::string describeWindow(HWND window)
{
    if (!window)
        return "no window";
    char name[128] = {};
    char title[128] = {};
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, title, sizeof title);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return std::string(name) + " '" + title + "' (process " + std::to_string(process) + ")";
}

class ProgramTest : public ProgramFixture {
protected:
    static bool trayIconShown(HWND main)
    {
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = main;
        data.uID = 100;
        return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
    }

    // Keys typed into `target` until `done` (at most five times). The window must be active
    // for the keys to reach its menu; without a window manager, Wine sometimes leaves no
    // window active once another program has been started or a dialog has closed, and keys
    // typed then are lost. A click on the window's title makes it active again, as for a
    // user; the keys go out only once it is, and once more only when they were lost.
    bool typeUntil(HWND target, const std::string& title, const std::string& keys,
                   const std::function<bool()>& done)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            RECT frame;
            GetWindowRect(target, &frame);
            runOnHost("xdotool mousemove " + std::to_string(frame.left + 40) + " " +
                      std::to_string(frame.top + 6) + " click 1");
            if (!waitFor([&] { return GetForegroundWindow() == target; }, std::chrono::seconds(2)))
                continue;
            typeInto(target, title, keys);
            if (waitFor(done, std::chrono::seconds(5)))
                return true;
        }
        return false;
    }
};

// Makes `command` the program that opens web pages (.html files), and puts back what was
// registered before when it goes.
class ScopedPageHandler {
public:
    explicit ScopedPageHandler(const std::string& command)
    {
        char old[256] = {};
        LONG size = sizeof old;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, ".html", old, &size) == ERROR_SUCCESS)
            m_old = old;
        setRegistryText(HKEY_CLASSES_ROOT, ".html", "", ProgId);
        setRegistryText(HKEY_CLASSES_ROOT, std::string(ProgId) + "\\shell\\open\\command", "",
                        command);
    }
    ~ScopedPageHandler()
    {
        if (m_old)
            setRegistryText(HKEY_CLASSES_ROOT, ".html", "", *m_old);
        deleteRegistryTree(HKEY_CLASSES_ROOT, ProgId);
    }
    ScopedPageHandler(const ScopedPageHandler&) = delete;
    ScopedPageHandler& operator=(const ScopedPageHandler&) = delete;

private:
    static constexpr const char* ProgId = "KestrionTest.htmlfile";
    std::optional<std::string> m_old;
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
    // releases of a chord to the hook only once the client has handled the join: the next
    // press waits until the system holds Ctrl up, as a user's hands would. Keys typed into the
    // hooking program's own windows reach its hook out of order under Wine, so all go to the
    // client.) The hook keeps the order of the keys, so F6 alone has done nothing once
    // Ctrl+F6 has joined.
    auto ctrlUp = [] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; };
    ASSERT_TRUE(waitFor(ctrlUp));
    typeInto(client, "Roger Wilco", "F6");
    typeInto(client, "Roger Wilco", "ctrl+F6");
    ASSERT_TRUE(waitForCopyData(3));
    EXPECT_EQ(copyData(),
              (std::vector<std::string>{"/join1 10.0.0.1/BRAVO pw", "/join1 10.0.0.1/ALPHA pw",
                                        "/join1 10.0.0.1/ pw"}));
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
    HWND target =
        CreateWindowExA(0, "TypingTarget", "Typing target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300,
                        300, 300, 100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(target, nullptr);
    auto focusTarget = [&] {
        // Asked of both: X decides where typed keys go, Wine which window is in front.
        for (int attempt = 0; attempt < 5 && GetForegroundWindow() != target; ++attempt) {
            SetForegroundWindow(target);
            runOnHost("xdotool search --onlyvisible --name '^Typing target$' windowfocus --sync");
            waitFor([&] { return GetForegroundWindow() == target; },
                    std::chrono::milliseconds(1000));
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
    base::win32::UniqueKernelHandle clientProcess(OpenProcess(SYNCHRONIZE, FALSE, clientId));
    ASSERT_TRUE(clientProcess);
    PostMessageA(client, WM_CLOSE, 0, 0);
    EXPECT_TRUE(
        waitFor([&] { return WaitForSingleObject(clientProcess.get(), 0) == WAIT_OBJECT_0; }));
    clientProcess.reset();
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
            SetWindowLongPtrA(standIn, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(standInClientProc));
        }
    };
    g_frontTakenAgain = 0;
    ASSERT_EQ(runOnHost("xdotool key --delay 100 F5 a b c d e F6 f g h i j F7 "
                        "a b c d e f g h i j k l m n o p q r s t u v w x y",
                        target, &g_frontTakenAgain),
              0);
    // Typed until the last key, "y"; a key typed in the moment before the target took the
    // front again may be lost, at most two each time.
    auto lastKeyCame = [] { return !g_arrivals.empty() && g_arrivals.back().key == 'Y'; };
    auto allowedLost = [] { return 2u * g_frontTakenAgain; };
    EXPECT_TRUE(waitFor([&] { return lastKeyCame() && g_commands.size() >= 3; }))
        << g_arrivals.size() << " keys arrived, " << g_commands.size()
        << " commands; in front: " << describeWindow(GetForegroundWindow())
        << ", focus: " << describeWindow(GetFocus()) << "; the target took the front again "
        << g_frontTakenAgain << " times";
    g_onArrival = nullptr;
    ASSERT_NE(standIn, nullptr);

    // Every key reached this program (but for those Wine dropped while nothing was in front),
    // none held back for the program's wait (a hook on its waiting thread holds them for the
    // whole 2 s).
    EXPECT_LE(g_arrivals.size(), 38u);
    EXPECT_GE(g_arrivals.size() + allowedLost(), 38u);
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
    ASSERT_EQ(runOnHost("xdotool key F5", target, &g_frontTakenAgain), 0);
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
    ASSERT_TRUE(chooseFromMenu(main, "Corvandial", "alt+f", "x"));
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
    ASSERT_TRUE(chooseFromMenu(main, "Corvandial", "alt+f", "s"));
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

namespace {

// Writes the program's languages folder: English.lng and one other language file, named so
// that the system lists it first (the order is the file system's, so the name is chosen).
// Returns the other file's name, empty when no candidate is listed first.
std::string writeLanguagesWithOtherFirst(const std::string& folder, const std::string& english,
                                         const std::string& other)
{
    const char* const candidates[] = {"Deutsch", "Francais", "Italiano", "Nederlands",
                                      "Svenska", "Dansk",    "Norsk",    "Suomi",
                                      "Polski",  "Magyar",   "Cesky",    "Espanol"};
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : candidates) {
        const std::string file = std::string(name) + ".lng";
        if (!writeFile(folder + "\\English.lng", english) ||
            !writeFile(folder + "\\" + file, other))
            return {};
        WIN32_FIND_DATAA found;
        base::win32::UniqueFind find(FindFirstFileA((folder + "\\*.lng").c_str(), &found));
        const bool first = find && file == found.cFileName;
        if (first)
            return file;
        DeleteFileA((folder + "\\" + file).c_str());
    }
    return {};
}

// The main window's caption, which the test's language files set: the language applied
// last. (Wine does not read another process's menus.)
std::string captionOf(HWND main)
{
    char caption[256] = {};
    GetWindowTextA(main, caption, sizeof caption);
    return caption;
}

// The width of the main window's client area: a language file sets it (and nothing else of
// the window's layout), and it stays whatever the program sets as it runs.
int clientWidthOf(HWND main)
{
    RECT client{};
    GetClientRect(main, &client);
    return client.right;
}

const char EnglishFile[] = "[TMainForm]\r\nCaption='Kestrion (en)'\r\nClientWidth=250\r\n";

} // namespace

// The profile's language is what the program comes up in, not the first one its languages
// folder lists, and the profile keeps it.
TEST_F(ProgramTest, TheProfilesLanguageWinsOverTheFirstOneListed)
{
    const std::string other = writeLanguagesWithOtherFirst(
        dir.file("language"), EnglishFile,
        "[TMainForm]\r\nCaption='Kestrion (de)'\r\nClientWidth=300\r\n");
    ASSERT_FALSE(other.empty()) << "no name is listed before English.lng";
    profile(std::string(TwoChannels) + "[options]\r\nlanguage=English\r\n");
    HWND main = start();
    ASSERT_NE(main, nullptr);
    // The caption names the profile once it is loaded; the width is the language's own.
    EXPECT_EQ(clientWidthOf(main), 250);
    const std::string stored = readFile(dir.file("kestrion.ini"));
    EXPECT_NE(stored.find("language=English\r\n"), std::string::npos) << stored;
}

// A language file that cannot be read (one over the size limit), listed first: the program
// starts, in English, without a message, and the client is joined.
TEST_F(ProgramTest, AnUnreadableLanguageFileDoesNotEndTheProgram)
{
    const std::string other = writeLanguagesWithOtherFirst(dir.file("language"), EnglishFile, "x");
    ASSERT_FALSE(other.empty()) << "no name is listed before English.lng";
    base::win32::UniqueFile big(CreateFileA(dir.file("language\\" + other).c_str(), GENERIC_WRITE,
                                            0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(big);
    LARGE_INTEGER size{};
    size.QuadPart = 16 * 1024 * 1024 + 1;
    EXPECT_TRUE(SetFilePointerEx(big.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(big.get()));
    big.reset();
    profile(TwoChannels);
    HWND main = start();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(copyData(), (std::vector<std::string>{"/join1 10.0.0.1/BRAVO pw"}));
    EXPECT_EQ(captionOf(main), "Kestrion (en)");
    EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr);
    EXPECT_TRUE(m_process->running());
}

// A read-only home profile without a stored language: storing the language that start-up
// selects cannot work, and does not stop the start with a message.
TEST_F(ProgramTest, AReadOnlyProfileStartsWithoutAMessage)
{
    const std::string other = writeLanguagesWithOtherFirst(
        dir.file("language"), EnglishFile, "[TMainForm]\r\nCaption='Kestrion (de)'\r\n");
    ASSERT_FALSE(other.empty()) << "no name is listed before English.lng";
    profile(TwoChannels);
    ASSERT_TRUE(SetFileAttributesA(dir.file("kestrion.ini").c_str(), FILE_ATTRIBUTE_READONLY));
    HWND main = start();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(copyData(), (std::vector<std::string>{"/join1 10.0.0.1/BRAVO pw"}));
    EXPECT_EQ(captionOf(main), "Kestrion (en)");
    EXPECT_EQ(FindWindowA("#32770", "Kestrion"), nullptr);
    EXPECT_EQ(readFile(dir.file("kestrion.ini")), TwoChannels);
    SetFileAttributesA(dir.file("kestrion.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Last of the file: under Wine (seen with the x86_64 build), after this test the test
// process's own handle of HKEY_LOCAL_MACHINE is no longer valid whenever the first Help chord
// was lost and typed again (RegCreateKeyExA then fails with ERROR_INVALID_HANDLE), so a test
// after it could not name the client in App Paths. The program is another process and is
// not touched by it.
TEST_F(ProgramTest, HelpOpensTheHtmlHelpBesideTheProgramWhateverTheCurrentFolder)
{
    // The help folder beside the program, as the release holds it, and a program that records
    // what the shell opens as a web page.
    const std::string help = dir.file("help\\");
    ASSERT_TRUE(CreateDirectoryA(help.c_str(), nullptr));
    WIN32_FIND_DATAA found;
    base::win32::UniqueFind find(FindFirstFileA((exeDir() + "help\\*.*").c_str(), &found));
    ASSERT_TRUE(find);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ASSERT_TRUE(CopyFileA((exeDir() + "help\\" + found.cFileName).c_str(),
                                  (help + found.cFileName).c_str(), FALSE));
        }
    } while (FindNextFileA(find.get(), &found));
    const std::string opened = dir.file("opened.txt");
    ScopedPageHandler browser(quoted(exeDir() + "platform_helper.exe") + " record " +
                              quoted(opened) + " \"%1\"");

    // Started from a shortcut whose working folder is somewhere else.
    TempDir elsewhere;
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.path().c_str()));
    profile(TwoChannels);
    HWND main = start();
    SetCurrentDirectoryA(previous);
    ASSERT_NE(main, nullptr);

    // F1 in the settings dialog opens the dialog's page; Help, Help the start page. Both with
    // the keys a user presses.
    ASSERT_TRUE(typeUntil(main, "Corvandial", "alt+o s", [&] {
        return m_process->window("TSettingsDlg", std::chrono::milliseconds(0)) != nullptr;
    }));
    HWND settings = m_process->window("TSettingsDlg", std::chrono::seconds(10));
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(settings) != FALSE; }));
    EXPECT_TRUE(typeUntil(settings, "Channel Settings", "F1", [&] {
        return readFile(opened) == help + "settings.html\n";
    })) << readFile(opened);
    EXPECT_TRUE(typeUntil(settings, "Channel Settings", "Escape",
                          [&] { return IsWindow(settings) == FALSE; }));

    EXPECT_TRUE(typeUntil(main, "Corvandial", "alt+h h", [&] {
        return logLines(opened).size() >= 2;
    })) << readFile(opened);
    // The dialog's page once, then the start page (once for each time the keys went out).
    const std::vector<std::string> pages = logLines(opened);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(pages[0], help + "settings.html");
    for (std::size_t i = 1; i < pages.size(); ++i)
        EXPECT_EQ(pages[i], help + "index.html");
}
