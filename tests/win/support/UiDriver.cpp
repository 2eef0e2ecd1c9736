#include "UiDriver.h"

#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

namespace wintest {

bool pumpUntil(ui::Application& app, const std::function<bool()>& done, unsigned timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        app.processMessages();
        Sleep(5);
    }
    return true;
}

int runOnHost(ui::Application& app, const std::string& command)
{
    static int serial = 0;
    const std::string marker = "/tmp/kestrion-ui-driver-" + std::to_string(GetCurrentProcessId()) +
                               "-" + std::to_string(++serial);
    std::string line = "/bin/sh -c \"" + command + "; echo $? > " + marker + ".tmp && mv " +
                       marker + ".tmp " + marker + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return -1;
    }
    const std::string windowsMarker = "Z:" + marker;
    if (!pumpUntil(app, [&] {
            return GetFileAttributesA(windowsMarker.c_str()) != INVALID_FILE_ATTRIBUTES;
        })) {
        return -1;
    }
    const int code = std::atoi(readFile(windowsMarker).c_str());
    DeleteFileA(windowsMarker.c_str());
    return code;
}

int pressKeys(ui::Application& app, const std::string& title, const std::string& keys)
{
    return runOnHost(app, "xdotool search --sync --name '^" + title +
                              "$' windowfocus --sync key --delay 30 " + keys);
}

void screenshot(ui::Application& app, const std::string& title, const std::string& file)
{
    const char* dir = std::getenv("KESTRION_SCREENSHOT_DIR");
    if (!dir || !*dir) {
        return;
    }
    EXPECT_EQ(runOnHost(app, "import -window $(xdotool search --name '^" + title +
                                 "$' | head -n 1) " + dir + "/" + file),
              0);
}

namespace {

std::function<void()> g_script;

void CALLBACK runScript(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::function<void()> script = std::move(g_script);
    script();
}

} // namespace

void whenShown(std::function<void()> script)
{
    g_script = std::move(script);
    SetTimer(nullptr, 0, 50, &runScript);
}

} // namespace wintest
