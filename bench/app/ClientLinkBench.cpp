// How long a command takes from SendClientCommand to the client: the client simulator is
// started beside this program, then 1,000 commands (after a warm-up) go through the link as
// the program sends them. For each command two times are taken: until the copy-data send
// returned (the client has received and handled the data; target: median under 1 ms) and
// until SendClientCommand returned (Sort posted too). The simulator's log confirms that every
// command arrived, and tells how often the copy data overtook Remove or New.
//
// Usage: client_link_bench [COMMANDS [LOG]]   (run under wine64 with scripts/wine-run.sh)
// The simulator flushes its log to disk at every line, and that flush is part of its handling
// of the data; LOG on a memory file system (Z:\dev\shm\... under Wine) leaves it out.

#include "app/RogerWilco.h"
#include "base/win32/Handles.h"
#include "platform/win32/Win32Services.h"

#include "Clock.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The real window services, noting when each copy-data send has returned.
class TimedMessenger : public platform::WindowMessenger {
public:
    explicit TimedMessenger(platform::WindowMessenger& real) : m_real(real) {}
    double sentAt = 0;

    std::vector<platform::WindowHandle> findTopLevelWindows(const std::string& className,
                                                            const std::string& title) override
    {
        return m_real.findTopLevelWindows(className, title);
    }
    std::optional<std::string> programPathOf(platform::WindowHandle window) override
    {
        return m_real.programPathOf(window);
    }
    platform::MessageId registerMessage(const std::string& name) override
    {
        return m_real.registerMessage(name);
    }
    bool postMessage(platform::WindowHandle window, platform::MessageId message,
                     std::uintptr_t wParam, std::intptr_t lParam) override
    {
        return m_real.postMessage(window, message, wParam, lParam);
    }
    bool sendCopyData(platform::WindowHandle window, const platform::CopyData& data,
                      std::chrono::milliseconds timeout) override
    {
        bool sent = m_real.sendCopyData(window, data, timeout);
        sentAt = nowMs();
        return sent;
    }

private:
    platform::WindowMessenger& m_real;
};

std::string exeDir()
{
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

std::vector<std::string> readLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace

int main(int argc, char** argv)
{
    const int commands = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int warmUp = 50;

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string log = argc > 2 ? argv[2] : std::string(temp) + "client_link_bench.log";
    DeleteFileA(log.c_str());

    // The link talks only to a client window of the installed client's folder: the simulator
    // is the installed client here.
    const std::string simulator = exeDir() + "clientsim.exe";
    base::win32::UniqueRegistryKey appPaths;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe", 0,
                        nullptr, 0, KEY_WRITE, nullptr, appPaths.put(), nullptr) == ERROR_SUCCESS)
        RegSetValueExA(appPaths.get(), nullptr, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(simulator.c_str()),
                       static_cast<DWORD>(simulator.size() + 1));
    std::string line = "\"" + simulator + "\" --log \"" + log + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION client{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &client)) {
        std::fprintf(stderr, "cannot start the client simulator\n");
        return 1;
    }
    for (int i = 0; i < 200 && !FindWindowA("#32770", "Roger Wilco"); ++i)
        Sleep(50);

    platform::Services real = platform::win32Services();
    TimedMessenger windows(real.windows);
    app::RogerWilco link(
        platform::Services{real.registry, real.processes, windows, real.sleeper, real.files});
    if (link.FindClientWindow() == platform::WindowHandle::None) {
        std::fprintf(stderr, "the client simulator opened no window\n");
        TerminateProcess(client.hProcess, 1);
        return 1;
    }

    std::vector<double> toReceipt, toReturn;
    int failed = 0;
    for (int i = 0; i < warmUp + commands; ++i) {
        std::string command = "/join1 10.1.1.5/CHANNEL" + std::to_string(i) + " secret";
        double start = nowMs();
        bool delivered = link.SendClientCommand(command);
        double end = nowMs();
        if (!delivered)
            ++failed;
        if (i >= warmUp) {
            toReceipt.push_back(windows.sentAt - start);
            toReturn.push_back(end - start);
        }
    }

    // "/shutdown" closes the simulator once everything before it has been handled.
    link.SendClientCommand("/shutdown");
    base::win32::UniqueKernelHandle clientThread(client.hThread);
    base::win32::UniqueKernelHandle clientProcess(client.hProcess);
    WaitForSingleObject(clientProcess.get(), 10000);

    // Per command the log holds REMOVE, NEW, COPYDATA, SORT in some order (see RogerWilco.h).
    int copies = 0, overtook = 0, removes = 0, news = 0;
    for (const auto& entry : readLines(log)) {
        if (entry == "REMOVE") {
            ++removes;
        } else if (entry == "NEW") {
            ++news;
        } else if (entry.rfind("COPYDATA ", 0) == 0) {
            if (entry.find("/shutdown") != std::string::npos)
                continue;
            if (removes <= copies || news <= copies)
                ++overtook;
            ++copies;
        }
    }
    DeleteFileA(log.c_str());

    std::printf("client link, %d commands after %d for warm-up\n", commands, warmUp);
    std::printf(
        "  to the client's receipt: median %.3f ms, p90 %.3f ms, p99 %.3f ms, max %.3f ms\n",
        percentile(toReceipt, 0.5), percentile(toReceipt, 0.9), percentile(toReceipt, 0.99),
        percentile(toReceipt, 1.0));
    std::printf("  whole SendClientCommand: median %.3f ms, p90 %.3f ms, p99 %.3f ms\n",
                percentile(toReturn, 0.5), percentile(toReturn, 0.9), percentile(toReturn, 0.99));
    std::printf("  target median under 1 ms: %s\n",
                percentile(toReceipt, 0.5) < 1.0 ? "met" : "NOT met");
    std::printf("  delivered %d of %d; the client logged %d; copy data ahead of Remove or New: "
                "%d\n",
                warmUp + commands - failed, warmUp + commands, copies, overtook);
    return failed == 0 && copies == warmUp + commands ? 0 : 1;
}
