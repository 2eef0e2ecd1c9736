// Shell open and Windows help through the real system calls. The shell starts the helper,
// registered as the program for web and mail addresses; the help request reaches a stand-in
// for the help viewer's window.

#include "base/win32/Handles.h"
#include "platform/win32/Win32Services.h"

#include "DesktopTestSupport.h"
#include "WinTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using namespace desktoptest;
using namespace wintest;

namespace {

// Makes the helper the program that opens the addresses of a scheme, and puts back what was
// registered before when it goes.
class ScopedUrlHandler {
public:
    ScopedUrlHandler(const std::string& scheme, const std::string& command)
        : m_key(scheme + "\\shell\\open\\command")
    {
        base::win32::UniqueRegistryKey key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, m_key.c_str(), 0, KEY_READ, key.put()) ==
            ERROR_SUCCESS) {
            char old[1024] = {};
            LONG size = sizeof old;
            if (RegQueryValueA(key.get(), nullptr, old, &size) == ERROR_SUCCESS)
                m_old = old;
        }
        setRegistryText(HKEY_CLASSES_ROOT, m_key, "", command);
        setRegistryText(HKEY_CLASSES_ROOT, scheme, "URL Protocol", "");
    }
    ~ScopedUrlHandler()
    {
        if (m_old)
            setRegistryText(HKEY_CLASSES_ROOT, m_key, "", *m_old);
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, m_key.c_str());
    }
    ScopedUrlHandler(const ScopedUrlHandler&) = delete;
    ScopedUrlHandler& operator=(const ScopedUrlHandler&) = delete;

private:
    std::string m_key;
    std::optional<std::string> m_old;
};

// What a help request handed to the viewer's window: the copy-data record of the help
// protocol (size, command, data, reserved, offset of the file name, offset of extra data).
struct HelpRequest {
    WPARAM from = 0;
    unsigned command = 0;
    long data = 0;
    std::string file;
};
std::vector<HelpRequest> g_helpRequests;
LRESULT g_helpAnswer = TRUE;

LRESULT CALLBACK helpViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const char* bytes = static_cast<const char*>(copy->lpData);
    HelpRequest request;
    request.from = wParam;
    if (copy->cbData >= 16) {
        WORD command = 0, pathOffset = 0;
        LONG data = 0;
        std::memcpy(&command, bytes + 2, sizeof command);
        std::memcpy(&data, bytes + 4, sizeof data);
        std::memcpy(&pathOffset, bytes + 12, sizeof pathOffset);
        request.command = command;
        request.data = data;
        if (pathOffset > 0 && pathOffset < copy->cbData)
            request.file = std::string(bytes + pathOffset,
                                       strnlen(bytes + pathOffset, copy->cbData - pathOffset));
    }
    g_helpRequests.push_back(request);
    return g_helpAnswer;
}

} // namespace

TEST(Win32ShellOpener, WebAndMailAddressesReachTheirRegisteredProgram)
{
    TempDir dir;
    const std::string log = dir.file("opened.txt");
    const std::string handler =
        quoted(exeDir() + "platform_helper.exe") + " record " + quoted(log) + " \"%1\"";
    ScopedUrlHandler web("http", handler);
    ScopedUrlHandler mail("mailto", handler);
    auto& shell = platform::win32DesktopServices().shell;

    const std::string targets[] = {
        "http://www.example.com/kestrion/",
        "mailto:quorbit@example.com",
        "http://www.example.com/kestrion/download?lang=english&version=2.2.3.3",
    };
    std::string expected;
    for (const auto& target : targets) {
        EXPECT_TRUE(shell.open(target)) << target;
        expected += target + "\n";
        // One at a time, so that the lines come in order.
        EXPECT_TRUE(waitFor([&] { return readFile(log) == expected; })) << readFile(log);
    }
}

TEST(Win32ShellOpener, WhatNoProgramOpensIsAFailure)
{
    TempDir dir;
    auto& shell = platform::win32DesktopServices().shell;
    const std::string targets[] = {
        dir.file("missing.txt"),
        dir.file("missing folder\\readme.txt"),
        "kestrion-unregistered:anything",
        "",
    };
    for (const auto& target : targets)
        EXPECT_FALSE(shell.open(target)) << "\"" << target << "\"";
}

TEST(Win32HelpViewer, HandsTheViewerTheFileAndTheContext)
{
    WNDCLASSA viewerClass{};
    viewerClass.lpfnWndProc = helpViewerProc;
    viewerClass.hInstance = GetModuleHandleA(nullptr);
    viewerClass.lpszClassName = "MS_WINHELP";
    ASSERT_NE(RegisterClassA(&viewerClass), 0);
    HWND viewer = CreateWindowExA(0, "MS_WINHELP", "help viewer", WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(viewer, nullptr);
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    auto ownerHandle = static_cast<platform::WindowHandle>(reinterpret_cast<std::uintptr_t>(owner));
    auto& help = platform::win32DesktopServices().help;

    struct Case {
        std::string file;
        std::uint32_t context;
        LRESULT answer;
    };
    const Case cases[] = {
        {".\\help\\KESTRION.HLP", 1, TRUE},
        {"C:\\Program Files\\Kestrion\\help\\KESTRION.HLP", 4711, TRUE},
        {"C:\\Caf\xe9\\help\\KESTRION.HLP", 1, TRUE},
        {".\\help\\KESTRION.HLP", 1, FALSE},
    };
    for (const auto& c : cases) {
        g_helpRequests.clear();
        g_helpAnswer = c.answer;
        EXPECT_EQ(help.showContext(ownerHandle, c.file, c.context), c.answer == TRUE) << c.file;
        ASSERT_EQ(g_helpRequests.size(), 1u) << c.file;
        const HelpRequest& request = g_helpRequests[0];
        EXPECT_EQ(request.from, reinterpret_cast<WPARAM>(owner));
        EXPECT_EQ(request.command, static_cast<unsigned>(HELP_CONTEXT));
        EXPECT_EQ(request.data, static_cast<long>(c.context));
        EXPECT_EQ(request.file, c.file);
    }
    DestroyWindow(owner);
    DestroyWindow(viewer);
    UnregisterClassA("MS_WINHELP", GetModuleHandleA(nullptr));
}
