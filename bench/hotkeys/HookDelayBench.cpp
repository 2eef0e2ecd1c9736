// The delay Kestrion's keyboard hook adds to a key press that goes to another program,
// measured under Wine. This program is the other program: it presses a key that is no hotkey
// (SendInput returns once every low-level hook has let the key pass) and times how long the
// key takes to reach its own focused window. It does so
//  - without Kestrion (the figures the others are compared against);
//  - with Kestrion idle;
//  - while Kestrion's user-interface thread waits for the client: from its start (the 2000 ms
//    wait after starting the client, right after the hook is installed) through the first
//    join, which finds no client window and waits 2000 ms again; a key counts here when the
//    main window did not answer within 20 ms just before it was pressed;
//  - during settings saves: Kestrion writes its profile (Options, Disable Sounds, as often as
//    it can take the command) while another thread saves the hotkeys the way the settings
//    dialog does (a new file renamed over the profile), so that the hook library reads them
//    again all the time.
// Target: the largest delay added stays below 10 ms in every state.
//
// The App Paths entry names a program that ends at once (kestrion-cli.exe), so that the
// client is "started" and no client window ever appears: every start waits.
//
// Usage: hook_delay_bench [KEYS]   (run under Wine with scripts/wine-run.sh)

#include "../app/Clock.h"
#include "base/win32/Handles.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr WORD kKey = 'K'; // no hotkey of the profile below
constexpr double kKeyTimeoutMs = 5000;

bool g_arrived = false;

LRESULT CALLBACK targetProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if ((m == WM_KEYDOWN || m == WM_KEYUP) && wp == kKey)
        g_arrived = true;
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

// Sends one key event and returns the milliseconds until it reached the window; negative
// when it did not within kKeyTimeoutMs.
double keyEvent(bool down)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = kKey;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    g_arrived = false;
    double sent = nowMs();
    SendInput(1, &in, sizeof in);
    while (!g_arrived) {
        if (nowMs() - sent > kKeyTimeoutMs) {
            char title[128] = {};
            GetWindowTextA(GetForegroundWindow(), title, sizeof title);
            std::printf("a key did not arrive; the focus is on \"%s\"\n", title);
            return -1;
        }
        pump();
        if (!g_arrived)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return nowMs() - sent;
}

// One press: the key-down's delay (the release is sent and awaited too).
double press()
{
    double delay = keyEvent(true);
    keyEvent(false);
    return delay;
}

struct Figures {
    std::vector<double> delays;
    int lost = 0;
    void add(double delay)
    {
        if (delay < 0)
            ++lost;
        else
            delays.push_back(delay);
    }
    double at(double fraction) const
    {
        std::vector<double> sorted = delays;
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::min(sorted.size() - 1,
                               static_cast<std::size_t>(fraction * sorted.size()))];
    }
    double median() const { return at(0.5); }
    double p99() const { return at(0.99); }
    double max() const { return *std::max_element(delays.begin(), delays.end()); }
};

void report(const char* state, const Figures& f, const Figures* base)
{
    if (f.delays.empty()) {
        std::printf("%-34s no keys measured (%d lost)\n", state, f.lost);
        return;
    }
    std::printf("%-34s %5zu keys: median %7.3f ms, p99 %7.3f ms, max %8.3f ms", state,
                f.delays.size(), f.median(), f.p99(), f.max());
    if (base && !base->delays.empty())
        std::printf("  (added: median %+7.3f, p99 %+7.3f, max %+8.3f)", f.median() - base->median(),
                    f.p99() - base->p99(), f.max() - base->max());
    if (f.lost)
        std::printf("  %d keys never arrived", f.lost);
    std::printf("\n");
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
    base::win32::UniqueFile f(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!f)
        return false;
    DWORD written = 0;
    return WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(f.get());
}

std::string profileText(int channel1Key)
{
    return "[options]\r\nsounds=0\r\nhide_at_start=1\r\n[channels]\r\ncount=2\r\ndefault=1\r\n"
           "channel1=Alpha\r\nchannel2=Bravo\r\n[keys]\r\nchannel1=" +
           std::to_string(channel1Key) + "\r\nchannel2=117\r\nchannel_up=107\r\n";
}

// The hotkeys saved as the settings dialog saves them: a new file beside the profile,
// flushed, then renamed over it.
void saveLikeTheSettingsDialog(const std::string& profile, int channel1Key)
{
    std::string temp = profile + ".new";
    if (writeWhole(temp, profileText(channel1Key)))
        MoveFileExA(temp.c_str(), profile.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

struct Program {
    PROCESS_INFORMATION info{};
    HWND main = nullptr;
};

Program startKestrion(const std::string& dir)
{
    Program p;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string line = "\"" + dir + "kestrion.exe\"";
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                        &p.info))
        p.info = {};
    return p;
}

void stopKestrion(Program& p)
{
    if (!p.info.hProcess)
        return;
    base::win32::UniqueKernelHandle thread(p.info.hThread);
    base::win32::UniqueKernelHandle process(p.info.hProcess);
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
    p = {};
}

bool answers(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20, &result) != 0;
}

void keepFocus(HWND target)
{
    if (GetForegroundWindow() != target) {
        SetForegroundWindow(target);
        SetFocus(target);
        pump();
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int keys = argc > 1 ? std::max(50, std::atoi(argv[1])) : 400;
    const std::string bin = folderOfThisProgram();

    // A folder of its own with the program, its hook library and a profile.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string dir =
        std::string(temp) + "kestrion-hookbench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\";
    const std::string profile = dir + "kestrion.ini";
    if (!CopyFileA((bin + "kestrion.exe").c_str(), (dir + "kestrion.exe").c_str(), FALSE) ||
        !CopyFileA((bin + "kestrihk.dll").c_str(), (dir + "kestrihk.dll").c_str(), FALSE) ||
        !writeWhole(profile, profileText(116))) {
        std::printf("cannot set up %s\n", dir.c_str());
        return 1;
    }
    {
        base::win32::UniqueRegistryKey key;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe", 0,
                        nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr);
        std::string cli = bin + "kestrion-cli.exe";
        RegSetValueExA(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(cli.c_str()),
                       static_cast<DWORD>(cli.size() + 1));
    }

    WNDCLASSA wc{};
    wc.lpfnWndProc = targetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HookDelayTarget";
    RegisterClassA(&wc);
    HWND target =
        CreateWindowExA(0, wc.lpszClassName, "Hook delay bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        50, 50, 300, 100, nullptr, nullptr, wc.hInstance, nullptr);
    keepFocus(target);
    for (int i = 0; i < 20; ++i) // warm-up
        press();

    Figures without, idle, waiting, saving;
    for (int i = 0; i < keys; ++i) {
        keepFocus(target);
        without.add(press());
    }

    // Starts: every start waits twice for the client. Keys go on all the while.
    int startsMeasured = 0;
    int failedStarts = 0;
    while (static_cast<int>(waiting.delays.size()) < keys && startsMeasured < 10 &&
           failedStarts < 3) {
        Program p = startKestrion(dir);
        if (!p.info.hProcess) {
            ++failedStarts;
            continue;
        }
        double started = nowMs();
        bool sawWait = false;
        // Until the program answers again after having been seen waiting, or 15 s.
        while (nowMs() - started < 15000) {
            keepFocus(target);
            if (!p.main)
                p.main = FindWindowA("TMainForm", nullptr);
            // The state when the key is pressed decides where it counts.
            const bool busy = p.main && !answers(p.main);
            double delay = press();
            if (busy) {
                waiting.add(delay);
                sawWait = true;
            } else if (sawWait && nowMs() - started > 4500) {
                break;
            }
        }
        ++startsMeasured;
        if (!sawWait)
            ++failedStarts;
        // Idle: started, waited, nothing to do.
        if (startsMeasured == 1) {
            for (int i = 0; i < keys; ++i) {
                keepFocus(target);
                idle.add(press());
            }
        }
        // Settings saves, in the first run only.
        if (startsMeasured == 1 && p.main) {
            // Options, Disable Sounds: the eighth menu command of the main window (the menu's
            // root, File, Open, separator, Exit, Exit and Shutdown, Options, Disable Sounds).
            // Taken only once it has been seen to write the profile.
            const UINT disableSounds = 8;
            PostMessageA(p.main, WM_COMMAND, disableSounds, 0);
            double posted = nowMs();
            bool writes = false;
            while (!writes && nowMs() - posted < 3000) {
                pump();
                Sleep(10);
                writes = GetPrivateProfileIntA("options", "sounds", 0, profile.c_str()) == 1;
            }
            if (!writes)
                std::printf("Options, Disable Sounds did not write the profile; not used\n");
            std::atomic<bool> stop{false};
            std::atomic<int> saves{0};
            std::thread saver([&] {
                for (int n = 0; !stop; ++n) {
                    saveLikeTheSettingsDialog(profile, n % 2 ? 116 : 118);
                    ++saves;
                    Sleep(5);
                }
            });
            int commands = 0;
            for (int i = 0; i < keys; ++i) {
                keepFocus(target);
                if (writes && answers(p.main)) {
                    PostMessageA(p.main, WM_COMMAND, disableSounds, 0);
                    ++commands;
                }
                saving.add(press());
            }
            stop = true;
            saver.join();
            std::printf(
                "settings saves: %d by the bench, %d by Kestrion (Options, Disable Sounds)\n",
                saves.load(), commands);
        }
        stopKestrion(p);
    }

    std::printf("key press to a window of another program, %s build\n",
                sizeof(void*) == 4 ? "i686" : "x86_64");
    report("without Kestrion", without, nullptr);
    report("Kestrion idle", idle, &without);
    report("Kestrion waiting for the client", waiting, &without);
    report("during settings saves", saving, &without);
    std::printf("(%d starts measured)\n", startsMeasured);

    DestroyWindow(target);
    bool met = !idle.delays.empty() && !waiting.delays.empty() && !saving.delays.empty();
    for (const Figures* f : {&idle, &waiting, &saving})
        if (!f->delays.empty() && f->max() - without.max() >= 10.0)
            met = false;
    return met ? 0 : 1;
}
