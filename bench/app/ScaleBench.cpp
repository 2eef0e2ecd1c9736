// The cost of the channel list, measured under Wine at several channel counts (by default 3,
// 100, 1,000, 10,000 and 65,535), each figure printed with its ratio to the 3-channel one.
//
// Measured on the real program, kestrion.exe started as a user starts it (the App Paths entry
// names kestrion-cli.exe, which ends at once, so the start "starts" the client and the commands
// come to this program's own client window):
//  - start-up: from starting kestrion.exe until the client's window has the initial join, less
//    the 2000 ms the program waits for the client by design (target: at most 1 s above the
//    3-channel figure);
//  - private memory after the start (target: at most 50 MB above the 3-channel figure);
//  - a hotkey switch: from posting "channel_up" or "channel_down" to the main window until the
//    client has the join (median; target 50 ms).
// Measured on the main window made in this process as WinMain makes it, on real windows:
//  - File, Open of a second profile as large: from the open dialog's OK until the window has
//    handled everything that followed (target 1 s);
//  - the settings dialog: from the menu command until it stands idle and painted (target 1 s;
//    the figure includes up to 10 ms of the timer that notices it), then "+", "-", moving a
//    channel, Apply (each until handled and painted; target 0.5 s), and OK until the dialog
//    has closed and the main window has loaded the saved profile;
//  - the hook library's reading of the saved profile (the read it makes after every save).
// Doubling the channel count should not much more than double any figure.
//
// Usage: scale_bench [COUNT...]   (run under Wine with scripts/wine-run.sh)
// Exit code 0 when every target holds at every count measured.

#include "Clock.h"

#include "app/MainForm.h"
#include "app/win32/Program.h"
#include "hotkeys/KeySource.h"
#include "i18n/bsCorePolyglot.h"
#include "platform/win32/Win32Services.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/ListBox.h"
#include "ui/Menu.h"
#include "ui/win32/Win32Backend.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr double kClientWaitMs = 2000;
constexpr UINT kChannelUp = 0x401;
constexpr UINT kChannelDown = 0x402;

int g_joins = 0;
double g_lastJoin = 0;

LRESULT CALLBACK clientProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COPYDATA) {
        g_lastJoin = nowMs();
        ++g_joins;
        return TRUE;
    }
    return DefWindowProcA(w, m, wp, lp);
}

void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Waits (handling messages) until `done` or `timeoutMs`.
bool waitFor(const std::function<bool()>& done, double timeoutMs)
{
    const double start = nowMs();
    while (!done()) {
        if (nowMs() - start > timeoutMs)
            return false;
        pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return true;
}

std::string folderOfThisProgram()
{
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

bool writeWhole(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(f);
    return ok;
}

// A profile of `count` channels with names of a few words, the first channel joined at start.
std::string profileText(int count, const std::string& tag)
{
    std::string text = "[options]\r\nsounds=0\r\nhide_at_start=0\r\n[host]\r\naddress=127.0.0.1\r\n"
                       "password=\r\n[channels]\r\ncount=" +
                       std::to_string(count) + "\r\ndefault=1\r\n";
    for (int p = 1; p <= count; ++p)
        text += "channel" + std::to_string(p) + "=" + tag + " squad channel " + std::to_string(p) +
                "\r\n";
    text += "[sounds]\r\nerror=DEFAULT\r\nchannel0=DEFAULT\r\n";
    for (int p = 1; p <= count; ++p)
        text += "channel" + std::to_string(p) + "=DEFAULT\r\n";
    text += "[keys]\r\nchannel_up=107\r\nchannel_down=109\r\nchannel1=97\r\n";
    return text;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The figures of one channel count; negative where not measured.
using Figures = std::map<std::string, double>;

const char* const kRows[] = {
    "start-up beyond the 2 s wait (ms)",
    "private memory after start (MB)",
    "hotkey switch, median (ms)",
    "File, Open to a ready window (ms)",
    "settings dialog open (ms)",
    "settings: + (ms)",
    "settings: - (ms)",
    "settings: move a channel (ms)",
    "settings: Apply (ms)",
    "settings: OK (ms)",
    "hook library re-read (ms)",
    "working set after start (MB)",
    "Initial Channel submenu open (ms)",
};

struct Target {
    const char* row;
    double limit;
    bool aboveBase; // the limit is on the difference to the 3-channel figure
};

const Target kTargets[] = {
    {kRows[0], 1000, true},  {kRows[1], 50, true},    {kRows[2], 50, false},
    {kRows[3], 1000, false}, {kRows[4], 1000, false}, {kRows[5], 500, false},
    {kRows[6], 500, false},  {kRows[7], 500, false},  {kRows[8], 500, false},
};

// kestrion.exe from a folder of its own: start-up, memory and hotkeys.
void measureProgram(const std::string& bin, const std::string& dir, int count, double timeoutMs,
                    Figures& f)
{
    CopyFileA((bin + "kestrion.exe").c_str(), (dir + "kestrion.exe").c_str(), FALSE);
    CopyFileA((bin + "kestrihk.dll").c_str(), (dir + "kestrihk.dll").c_str(), FALSE);
    writeWhole(dir + "kestrion.ini", profileText(count, "Home"));

    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + dir + "kestrion.exe\"";
    g_joins = 0;
    const double started = nowMs();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                        &pi)) {
        std::printf("  cannot start kestrion.exe\n");
        return;
    }
    if (waitFor([] { return g_joins > 0; }, timeoutMs)) {
        f[kRows[0]] = g_lastJoin - started - kClientWaitMs;
        HWND main = FindWindowA("TMainForm", nullptr);
        waitFor([] { return false; }, 300); // let the start settle
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                 sizeof memory)) {
            // Wine may leave PrivateUsage empty for another process; its PagefileUsage is the
            // same figure (the committed private bytes).
            const SIZE_T bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
            f[kRows[1]] = static_cast<double>(bytes) / (1024.0 * 1024.0);
            f[kRows[11]] = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
        }
        std::vector<double> switches;
        for (int i = 0; main && i < 21; ++i) {
            const int before = g_joins;
            const double posted = nowMs();
            PostMessageA(main, i % 2 ? kChannelDown : kChannelUp, 0, 0);
            if (!waitFor([before] { return g_joins > before; }, 10000))
                break;
            switches.push_back(g_lastJoin - posted);
        }
        if (!switches.empty())
            f[kRows[2]] = median(switches);
    } else {
        std::printf("  %d channels: no join within %.0f s\n", count, timeoutMs / 1000);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// A script run inside the next modal loop, once it has handled what was waiting.
std::function<void()> g_script;

void CALLBACK runScript(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::function<void()> script = std::move(g_script);
    if (script)
        script();
}

void whenIdle(std::function<void()> script)
{
    g_script = std::move(script);
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &runScript);
}

// Runs `action` and handles what it left waiting (paints included); returns the milliseconds.
double timed(const std::function<void()>& action)
{
    const double start = nowMs();
    action();
    pump();
    return nowMs() - start;
}

profile::TSettingsDlg* openSettings(ui::Application& app)
{
    for (ui::Component* c : app.components())
        if (auto* dialog = dynamic_cast<profile::TSettingsDlg*>(c))
            return dialog;
    return nullptr;
}

void click(ui::Control& button)
{
    SendMessageA(ui::win32::windowHandle(button), BM_CLICK, 0, 0);
}

// The main window made here as WinMain makes it: Open, the settings dialog, the hook's read.
void measureWindow(const std::string& dir, int count, Figures& f)
{
    const std::string home = dir + "inproc.ini";
    const std::string other = dir + "other.ini";
    writeWhole(home, profileText(count, "Home"));
    writeWhole(other, profileText(count, "Other"));

    // The program as WinMain makes it, in this process.
    app::Program program(GetModuleHandleA(nullptr), dir + "inproc.exe");
    ui::Application& app = program.application();
    app::TMainForm& main = program.mainForm();
    pump();

    // File, Open: the dialog is answered from inside its own loop.
    double okAt = 0;
    whenIdle([&] {
        HWND dialog = FindWindowA("#32770", "Open File");
        if (!dialog)
            return;
        SetDlgItemTextA(dialog, 0x47C, other.c_str()); // the file name box
        SetDlgItemTextA(dialog, 0x480, other.c_str());
        okAt = nowMs();
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    main.Open1Click(main);
    pump();
    if (okAt > 0 && main.Profile.ProfilePath == other)
        f[kRows[3]] = nowMs() - okAt;
    else
        std::printf("  %d channels: File, Open did not open the profile\n", count);

    // The settings dialog and its operations.
    double calledAt = 0;
    whenIdle([&] {
        profile::TSettingsDlg* dlg = openSettings(app);
        if (!dlg)
            return;
        f[kRows[4]] = nowMs() - calledAt;
        f[kRows[5]] = timed([&] { click(*dlg->Button3); });
        f[kRows[6]] = timed([&] { click(*dlg->Button4); });
        HWND list = ui::win32::windowHandle(*dlg->ListBox1);
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        SendMessageA(ui::win32::windowHandle(*dlg), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        pump();
        f[kRows[7]] = timed([&] { dlg->MoveDown1->click(); });
        click(*dlg->Button3); // a change for Apply to save
        f[kRows[8]] = timed([&] { click(*dlg->ApplyBtn); });
        calledAt = nowMs();
        click(*dlg->OkBtn);
    });
    calledAt = nowMs();
    main.SetChannels1Click(main);
    pump();
    if (f.count(kRows[8]))
        f[kRows[9]] = nowMs() - calledAt;

    // The Initial Channel submenu as it opens: a very long list is shown in groups.
    HWND mainWindow = ui::win32::windowHandle(main);
    HMENU options = GetSubMenu(GetMenu(mainWindow), main.Options1->menuIndex());
    HMENU initial = GetSubMenu(options, main.InitialChannel1->menuIndex());
    f[kRows[12]] = timed([&] {
        SendMessageA(mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(initial),
                     MAKELPARAM(main.InitialChannel1->menuIndex(), FALSE));
    });
    SendMessageA(mainWindow, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(initial), 0);
    SendMessageA(mainWindow, WM_EXITMENULOOP, FALSE, 0);
    pump();

    // What the hook library does after every save: read the keys of the saved profile.
    std::vector<double> reads;
    for (int i = 0; i < 5; ++i)
        reads.push_back(timed([&] { hotkeys::tryReadHotkeys(other); }));
    f[kRows[10]] = median(reads);
}

} // namespace

int main(int argc, char** argv)
{
    // The 3-channel figures come first: the others are compared with them.
    std::vector<int> counts{3};
    for (int i = 1; i < argc; ++i)
        if (const int count = std::atoi(argv[i]); count != 3)
            counts.push_back(count);
    if (argc < 2)
        counts = {3, 100, 1000, 10000, 65535};
    const std::string bin = folderOfThisProgram();

    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe", 0,
                    nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    std::string cli = bin + "kestrion-cli.exe";
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(cli.c_str()),
                   static_cast<DWORD>(cli.size() + 1));
    RegCloseKey(key);

    // The client's window: a top-level window of the standard dialog class.
    HWND client = CreateWindowExA(0, "#32770", "Roger Wilco", WS_OVERLAPPED, 0, 0, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clientProc));

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::vector<Figures> all;
    for (int count : counts) {
        std::string dir = std::string(temp) + "kestrion-scale-" + std::to_string(count);
        CreateDirectoryA(dir.c_str(), nullptr);
        dir += "\\";
        Figures f;
        measureProgram(bin, dir, count, 120000, f);
        measureWindow(dir, count, f);
        all.push_back(f);
        std::printf("%d channels measured\n", count);
        std::fflush(stdout);
    }

    std::printf("\nscale_bench, %s build (each figure, then its ratio to the 3-channel one)\n",
                sizeof(void*) == 4 ? "i686" : "x86_64");
    std::printf("%-36s", "channels");
    for (int count : counts)
        std::printf(" %17d", count);
    std::printf("\n");
    for (const char* row : kRows) {
        std::printf("%-36s", row);
        const auto base = all.front().find(row);
        for (const Figures& f : all) {
            const auto it = f.find(row);
            if (it == f.end()) {
                std::printf(" %17s", "-");
            } else if (base != all.front().end() && base->second > 0.05) {
                std::printf(" %9.1f (x%5.1f)", it->second, it->second / base->second);
            } else {
                std::printf(" %9.1f        ", it->second);
            }
        }
        std::printf("\n");
    }

    bool met = true;
    for (const Target& t : kTargets) {
        const auto base = all.front().find(t.row);
        for (std::size_t i = 0; i < all.size(); ++i) {
            const auto it = all[i].find(t.row);
            if (it == all[i].end()) {
                met = false;
                continue;
            }
            const double value =
                t.aboveBase && base != all.front().end() ? it->second - base->second : it->second;
            if (value > t.limit) {
                std::printf("target missed at %d channels: %s %.1f (limit %.0f%s)\n", counts[i],
                            t.row, value, t.limit, t.aboveBase ? " above 3 channels" : "");
                met = false;
            }
        }
    }
    std::printf(met ? "every target holds\n" : "some targets missed\n");
    DestroyWindow(client);
    return met ? 0 : 1;
}
