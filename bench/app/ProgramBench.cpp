// The running program, measured under wine64:
//  - start-up: from starting kestrion.exe until its tray icon is there, less the fixed
//    2000 ms wait for the client (target under 150 ms);
//  - working set after start-up (target under 8 MB);
//  - a hotkey: from posting a channel hotkey message to the main window until the client's
//    window has the join (median of the runs; target under 2 ms).
// This program is the client itself: it opens the client's dialog window and registers its
// messages, so the time of arrival is taken where the client would take it. The App Paths
// entry names a program that ends at once (kestrion-cli.exe), so the start-up launch
// succeeds and the commands come to this window.
//
// Usage: program_bench [HOTKEYS]   (run under wine64 with scripts/wine-run.sh)

#include "Clock.h"
#include "base/win32/Handles.h"

#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

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

std::string folderOfThisProgram()
{
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

bool trayIconThere(HWND main)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = main;
    data.uID = 100;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

} // namespace

int main(int argc, char** argv)
{
    const int hotkeys = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;
    const std::string bin = folderOfThisProgram();

    // A folder of its own with the program, its hook library and a profile of two channels.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string dir = std::string(temp) + "kestrion-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\";
    CopyFileA((bin + "kestrion.exe").c_str(), (dir + "kestrion.exe").c_str(), FALSE);
    CopyFileA((bin + "kestrihk.dll").c_str(), (dir + "kestrihk.dll").c_str(), FALSE);
    {
        base::win32::UniqueFile f(CreateFileA((dir + "kestrion.ini").c_str(), GENERIC_WRITE, 0,
                                              nullptr, CREATE_ALWAYS, 0, nullptr));
        const char profile[] = "[options]\r\nsounds=0\r\n[channels]\r\ncount=2\r\ndefault=0\r\n"
                               "channel1=Alpha\r\nchannel2=Bravo\r\n";
        DWORD written;
        WriteFile(f.get(), profile, sizeof profile - 1, &written, nullptr);
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

    // The client's window: a top-level window of the standard dialog class.
    HWND client = CreateWindowExA(0, "#32770", "Roger Wilco", WS_OVERLAPPED, 0, 0, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clientProc));

    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + dir + "kestrion.exe\"";
    double started = nowMs();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                        &pi)) {
        std::printf("cannot start kestrion.exe\n");
        return 1;
    }
    HWND main = nullptr;
    double trayAt = 0;
    while (nowMs() - started < 20000) {
        pump();
        if (!main)
            main = FindWindowA("TMainForm", nullptr);
        if (main && trayIconThere(main)) {
            trayAt = nowMs();
            break;
        }
        Sleep(1);
    }
    if (!trayAt) {
        std::printf("no tray icon within 20 s\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    // Let the start-up join arrive and the program settle.
    while (g_joins < 1 && nowMs() - started < 25000) {
        pump();
        Sleep(1);
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(pi.hProcess, &memory, sizeof memory);

    std::vector<double> times;
    for (int i = 0; i < hotkeys; ++i) {
        int before = g_joins;
        double posted = nowMs();
        PostMessageA(main, i % 2 ? 0x404 : 0x403, 0, 0);
        while (g_joins == before && nowMs() - posted < 5000)
            pump();
        if (g_joins == before) {
            std::printf("hotkey %d: no join within 5 s\n", i);
            break;
        }
        times.push_back(g_lastJoin - posted);
    }
    std::sort(times.begin(), times.end());

    std::printf("start-up to tray icon: %.1f ms in all, %.1f ms without the 2000 ms wait\n",
                trayAt - started, trayAt - started - 2000.0);
    std::printf("working set after start-up: %.2f MB (peak %.2f MB)\n",
                static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0),
                static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    if (!times.empty())
        std::printf("hotkey to join, %zu runs: median %.3f ms, p90 %.3f ms, max %.3f ms\n",
                    times.size(), times[times.size() / 2], times[times.size() * 9 / 10],
                    times.back());

    base::win32::UniqueKernelHandle thread(pi.hThread);
    base::win32::UniqueKernelHandle process(pi.hProcess);
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
    DestroyWindow(client);
    return times.size() == static_cast<std::size_t>(hotkeys) ? 0 : 1;
}
