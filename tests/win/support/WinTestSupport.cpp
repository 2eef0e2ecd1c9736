#include "WinTestSupport.h"
#include "base/win32/Handles.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace wintest {

namespace {

constexpr char kAppPathsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe";

void pumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void removeTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    base::win32::UniqueFind find(FindFirstFileA((folder + "*").c_str(), &data));
    if (find) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find.get(), &data));
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

std::string exeDir()
{
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        pumpMessages();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        Sleep(5);
    }
}

namespace {

BOOL CALLBACK visitWindow(HWND window, LPARAM visit)
{
    return (*reinterpret_cast<const std::function<bool(HWND)>*>(visit))(window) ? TRUE : FALSE;
}

} // namespace

void forEachWindow(const std::function<bool(HWND)>& visit)
{
    EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&visit));
}

void forEachChildWindow(HWND parent, const std::function<bool(HWND)>& visit)
{
    EnumChildWindows(parent, visitWindow, reinterpret_cast<LPARAM>(&visit));
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

TempDir::TempDir()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    for (;;) {
        std::string candidate = std::string(base) + "kestrion-test-" +
                                std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(++counter);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            m_path = candidate + "\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temporary folder in " + std::string(base));
    }
}

TempDir::~TempDir()
{
    removeTree(m_path);
}

Process::Process(const std::string& commandLine, int showState)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showState);
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &m_info))
        throw std::runtime_error("cannot start " + commandLine + " (error " +
                                 std::to_string(GetLastError()) + ")");
}

Process::~Process()
{
    if (m_info.hProcess) {
        if (running()) {
            TerminateProcess(m_info.hProcess, 1);
            WaitForSingleObject(m_info.hProcess, 5000);
        }
        base::win32::UniqueKernelHandle thread(m_info.hThread);
        base::win32::UniqueKernelHandle process(m_info.hProcess);
    }
}

std::optional<DWORD> Process::wait(std::chrono::milliseconds timeout)
{
    if (!waitFor([this] { return !running(); }, timeout))
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

bool Process::running() const
{
    return WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

void Process::terminate()
{
    if (running()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
}

HWND Process::window(const std::string& className, std::chrono::milliseconds timeout) const
{
    struct Search {
        DWORD pid;
        const std::string* className;
        HWND found;
    } search{m_info.dwProcessId, &className, nullptr};
    waitFor(
        [&search] {
            forEachWindow([&search](HWND w) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid != search.pid)
                    return true;
                char name[256] = {};
                GetClassNameA(w, name, sizeof name);
                if (!search.className->empty() && *search.className != name)
                    return true;
                search.found = w;
                return false;
            });
            return search.found != nullptr;
        },
        timeout);
    return search.found;
}

RunResult run(const std::string& commandLine, std::chrono::milliseconds timeout)
{
    // The child's output goes to files, read once it has ended: a pipe whose write end some
    // grandchild (cmd /c starts one) keeps open under Wine would leave a reader waiting
    // forever.
    TempDir dir;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    auto open = [&](const std::string& path) {
        return CreateFileA(path.c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &sa,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    const std::string outPath = dir.file("out.txt");
    const std::string errPath = dir.file("err.txt");
    base::win32::UniqueFile out(open(outPath));
    base::win32::UniqueFile err(open(errPath));

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out.get();
    si.hStdError = err.get();
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    BOOL ok = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                             nullptr, nullptr, &si, &pi);
    out.reset();
    err.reset();
    if (!ok)
        throw std::runtime_error("cannot start " + commandLine);
    base::win32::UniqueKernelHandle thread(pi.hThread);
    base::win32::UniqueKernelHandle process(pi.hProcess);
    RunResult result;
    if (WaitForSingleObject(process.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 124);
    WaitForSingleObject(process.get(), 5000);
    GetExitCodeProcess(process.get(), &result.exitCode);
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

int runOnHost(const std::string& command, HWND keepInFront, unsigned* frontTaken)
{
    static unsigned serial = 0;
    const std::string marker = "/tmp/kestrion-win-test-" + std::to_string(GetCurrentProcessId()) +
                               "-" + std::to_string(++serial);
    std::string line = "/bin/sh -c \"" + command + "; echo $? > " + marker + ".tmp && mv " +
                       marker + ".tmp " + marker + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return -1;
    // What Wine hands back for a Linux program is not a process: no handles, and a process id
    // that is whatever was in memory. It is left alone, never waited on nor closed (a handle
    // value that happens to stand there may be one of this process's own).
    const std::string windowsMarker = "Z:" + marker;
    if (!waitFor(
            [&] {
                if (keepInFront && takeFrontIfNoneHas(keepInFront) && frontTaken)
                    ++*frontTaken;
                return GetFileAttributesA(windowsMarker.c_str()) != INVALID_FILE_ATTRIBUTES;
            },
            std::chrono::seconds(30)))
        return -1;
    const int code = std::atoi(readFile(windowsMarker).c_str());
    DeleteFileA(windowsMarker.c_str());
    return code;
}

bool takeFrontIfNoneHas(HWND window)
{
    HWND front = GetForegroundWindow();
    if (!IsWindow(window) || (front && front != GetDesktopWindow()))
        return false;
    SetForegroundWindow(window);
    return true;
}

std::string ClientSimulator::exePath()
{
    return exeDir() + "clientsim.exe";
}

ClientSimulator::ClientSimulator(const std::string& logPath) : ClientSimulator(logPath, Options{})
{
}

ClientSimulator::ClientSimulator(const std::string& logPath, const Options& options)
    : m_process(quoted(options.program.empty() ? exePath() : options.program) + " --log " +
                quoted(logPath) + " --title " + quoted(options.title) +
                (options.freeze ? " --freeze" : "") +
                (options.arguments.empty() ? "" : " " + options.arguments))
{
    // The window counts once it carries its title, as the program searches by title.
    HWND window = m_process.window("#32770", std::chrono::seconds(15));
    if (window)
        waitFor([&] {
            char title[256] = {};
            GetWindowTextA(window, title, sizeof title);
            return options.title == title;
        });
    m_window = window;
    if (!m_window)
        throw std::runtime_error("the client simulator opened no window");
}

std::vector<std::string> logLines(const std::string& logPath)
{
    std::vector<std::string> lines;
    std::istringstream in(readFile(logPath));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> copyDataTexts(const std::string& logPath)
{
    std::vector<std::string> out;
    for (const auto& line : logLines(logPath))
        if (line.rfind("COPYDATA 254 ", 0) == 0)
            out.push_back(line.substr(13));
    return out;
}

std::vector<std::string> waitForLogLines(const std::string& logPath, std::size_t count,
                                         std::chrono::milliseconds timeout)
{
    std::vector<std::string> lines;
    waitFor(
        [&] {
            lines = logLines(logPath);
            return lines.size() >= count;
        },
        timeout);
    return lines;
}

void setRegistryText(HKEY root, const std::string& key, const std::string& name,
                     const std::string& value)
{
    base::win32::UniqueRegistryKey h;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, h.put(), nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create registry key " + key);
    RegSetValueExA(h.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

void setRegistryNumber(HKEY root, const std::string& key, const std::string& name, DWORD value)
{
    base::win32::UniqueRegistryKey h;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, h.put(), nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create registry key " + key);
    RegSetValueExA(h.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
}

void deleteRegistryTree(HKEY root, const std::string& key)
{
    RegDeleteTreeA(root, key.c_str());
    RegDeleteKeyA(root, key.c_str());
}

void setClientAppPath(const std::string& exePath)
{
    setRegistryText(HKEY_LOCAL_MACHINE, kAppPathsKey, "", exePath);
}

void removeClientAppPath()
{
    deleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPathsKey);
}

void typeInto(HWND target, const std::string& title, const std::string& keys)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        runOnHost("xdotool search --onlyvisible --name '" + title + "' windowfocus --sync");
        if (waitFor([&] { return GetForegroundWindow() == target; },
                    std::chrono::milliseconds(1000)))
            break;
    }
    runOnHost("xdotool key --delay 100 " + keys, target);
}

bool menuShown(HWND window)
{
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
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

bool chooseFromMenu(HWND window, const std::string& title, const std::string& menuKeys,
                    const std::string& itemKey)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        typeInto(window, title, menuKeys);
        if (!waitFor([&] { return menuShown(window); }, std::chrono::seconds(3)))
            continue;
        for (int press = 0; press < 3; ++press) {
            runOnHost("xdotool key " + itemKey, window);
            if (waitFor([&] { return !menuShown(window); }, std::chrono::seconds(3)))
                return true;
        }
    }
    return false;
}

} // namespace wintest
