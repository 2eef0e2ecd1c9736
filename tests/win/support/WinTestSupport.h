#pragma once
// Helpers shared by the Windows tests, which run under Wine in a throwaway prefix of
// their own (scripts/wine-run.sh): the folder of the test executable (the program, the
// client simulator and kestrion-cli are built beside it), temporary folders, processes,
// the client simulator and its log, and the registry entry that names the client.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wintest {

// The folder of the running executable, ending in a backslash.
std::string exeDir();

// Waits until `done` returns true, handling this thread's window messages meanwhile.
// Returns false when `timeout` passed first.
bool waitFor(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Calls `visit` for each top-level window (or each child window of `parent`), until it
// returns false. Lambdas cannot be window-enumeration callbacks themselves: on i686 those
// use the Windows calling convention.
void forEachWindow(const std::function<bool(HWND)>& visit);
void forEachChildWindow(HWND parent, const std::function<bool(HWND)>& visit);

// Reads a whole file as bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
// Writes a whole file; returns false on failure.
bool writeFile(const std::string& path, const std::string& bytes);

// A new empty folder under the temporary folder, removed with everything in it on
// destruction. `path()` ends in a backslash.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

// A child process of a Windows program, terminated on destruction if it still runs.
class Process {
public:
    // Starts `commandLine` (the program quoted as needed by the caller). Throws
    // std::runtime_error when the process cannot be created.
    explicit Process(const std::string& commandLine, int showState = SW_SHOWNORMAL);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // The exit code once the process ended within `timeout`; nothing otherwise.
    std::optional<DWORD> wait(std::chrono::milliseconds timeout);
    bool running() const;
    void terminate();
    DWORD id() const { return m_info.dwProcessId; }
    // The first visible or hidden top-level window of this process with that class
    // (any class when empty), waiting up to `timeout` for it to appear.
    HWND window(const std::string& className, std::chrono::milliseconds timeout) const;

private:
    PROCESS_INFORMATION m_info{};
};

// Runs a command line of a Windows program to its end and returns its exit code and what it
// wrote to standard output and standard error. (A Linux program goes through runOnHost.)
struct RunResult {
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};
RunResult run(const std::string& commandLine,
              std::chrono::milliseconds timeout = std::chrono::seconds(30));

// Runs a shell command of the Linux host (Wine starts Linux programs as it starts its own)
// to its end, handling this thread's messages meanwhile, and returns its exit code; -1 when it
// could not be run or did not end within 30 s. Wine gives no handle for a Linux process to
// wait on, so the command leaves its exit code in a marker file. `keepInFront`, if given, is
// kept in front meanwhile (takeFrontIfNoneHas), and `frontTaken` counts how often it had to be.
int runOnHost(const std::string& command, HWND keepInFront = nullptr,
              unsigned* frontTaken = nullptr);

// Makes `window` the foreground window again when no window is (the desktop's own window
// counts as none), and says whether it had to. Without a window manager, Wine leaves no
// window active a few milliseconds after this process has started another one (measured: 8 ms
// after the xdotool that types is started), and keys typed then are lost; on Windows the
// window the user types into stays in front. Called while keys are being typed.
bool takeFrontIfNoneHas(HWND window);

// The client simulator (clientsim.exe beside the tests) and the lines of its log.
class ClientSimulator {
public:
    struct Options {
        std::string title = "Roger Wilco";
        std::string arguments;
        bool freeze = false;
        // Another copy of the simulator to run instead (a look-alike of another program).
        std::string program;
    };
    // Starts a simulator logging to `logPath` and waits until its window exists.
    explicit ClientSimulator(const std::string& logPath);
    ClientSimulator(const std::string& logPath, const Options& options);

    HWND window() const { return m_window; }
    Process& process() { return m_process; }

    static std::string exePath();

private:
    Process m_process;
    HWND m_window = nullptr;
};

// The lines of a simulator log, without line ends.
std::vector<std::string> logLines(const std::string& logPath);
// The texts the client simulator received by WM_COPYDATA, in order, from its log.
std::vector<std::string> copyDataTexts(const std::string& logPath);
// Waits until the log holds at least `count` lines; returns them.
std::vector<std::string>
waitForLogLines(const std::string& logPath, std::size_t count,
                std::chrono::milliseconds timeout = std::chrono::seconds(10));

// The App Paths entry under HKEY_LOCAL_MACHINE that names the client's executable.
void setClientAppPath(const std::string& exePath);
void removeClientAppPath();

// Sets or removes a registry value (REG_SZ or REG_DWORD); the key is created as needed.
void setRegistryText(HKEY root, const std::string& key, const std::string& name,
                     const std::string& value);
void setRegistryNumber(HKEY root, const std::string& key, const std::string& name, DWORD value);
void deleteRegistryTree(HKEY root, const std::string& key);

// Keys typed by the user (through X, as a real keyboard would; xdotool's key names, e.g.
// "alt+f x") into `target`, whose title contains `title`. Without a window manager X gives
// the focus only when asked, and Wine takes it over a little later, so the keys go out once
// Wine has made `target` the foreground window.
void typeInto(HWND target, const std::string& title, const std::string& keys);
// Whether a menu of `window`'s thread is open (a pop-up menu window shows).
bool menuShown(HWND window);
// The menu opened by `menuKeys` (e.g. "alt+f") typed into `window`, then the item with the
// access key `itemKey`, as a user chooses it; true once the menu has closed again. Under load
// Wine now and then loses the Alt chord typed into a window that has only just become the
// foreground one, so the chord is typed again until the menu shows, and the item's key again
// while the menu stays open.
bool chooseFromMenu(HWND window, const std::string& title, const std::string& menuKeys,
                    const std::string& itemKey);

// Quotes a path for a command line.
inline std::string quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

} // namespace wintest
