// The Win32 services on their own, where the client link's tests do not reach them.

#include "platform/win32/Win32Services.h"
#include "base/win32/Handles.h"

#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wintest;

namespace {

const char* const TestKey = "Software\\Kestrion Tests\\Values";

} // namespace

TEST(Win32Services, RegistryReadsEveryValueRawAndNeverCreatesKeys)
{
    auto services = platform::win32Services();
    deleteRegistryTree(HKEY_CURRENT_USER, "Software\\Kestrion Tests");
    EXPECT_EQ(services.registry.openKey(platform::RootKey::CurrentUser, TestKey), nullptr);
    HKEY probe = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, TestKey, 0, KEY_READ, &probe), ERROR_SUCCESS)
        << "opening for reading must not create the key";

    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"", REG_SZ, "C:\\Program Files\\RW\\roger.exe\0"s},
        {"text", REG_SZ, "caf\xe9\0"s},
        {"expand", REG_EXPAND_SZ, "%TEMP%\\x\0"s},
        {"number", REG_DWORD, "\xc8\0\0\0"s},
        {"wide", REG_QWORD, "\xc8\0\0\0\0\0\0\0"s},
        {"list", REG_MULTI_SZ, "a\0b\0\0"s},
        {"empty", REG_BINARY, ""},
        {"large", REG_BINARY, std::string(100000, 'x')},
    };
    base::win32::UniqueRegistryKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TestKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              key.put(), nullptr),
              ERROR_SUCCESS);
    for (const auto& c : cases)
        RegSetValueExA(key.get(), c.name, 0, c.type, reinterpret_cast<const BYTE*>(c.bytes.data()),
                       static_cast<DWORD>(c.bytes.size()));
    key.reset();

    auto opened = services.registry.openKey(platform::RootKey::CurrentUser, TestKey);
    ASSERT_NE(opened, nullptr);
    for (const auto& c : cases) {
        auto value = opened->readValue(c.name);
        ASSERT_TRUE(value.has_value()) << c.name;
        EXPECT_EQ(static_cast<DWORD>(value->type), c.type) << c.name;
        EXPECT_EQ(value->data, c.bytes) << c.name;
    }
    EXPECT_FALSE(opened->readValue("absent").has_value());
    deleteRegistryTree(HKEY_CURRENT_USER, "Software\\Kestrion Tests");
}

// On 64-bit Windows, HKEY_LOCAL_MACHINE\Software has a view for 32-bit programs and one for
// 64-bit ones. LocalMachine is the program's own view, LocalMachine32 the 32-bit one, which a
// 32-bit client's installer writes.
TEST(Win32Services, RegistryReadsTheLocalMachineViewItIsAskedFor)
{
    const char* const key = "Software\\Kestrion Tests View";
    auto write = [&](REGSAM view, const std::string& text) {
        base::win32::UniqueRegistryKey opened;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE | view, nullptr,
                                  opened.put(), nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(opened.get(), "view", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    };
    write(KEY_WOW64_64KEY, "64");
    write(KEY_WOW64_32KEY, "32");
    auto services = platform::win32Services();
    auto read = [&](platform::RootKey root) {
        auto opened = services.registry.openKey(root, key);
        return opened ? platform::textValue(opened->readValue("view")).value_or("?") : "none";
    };
    EXPECT_EQ(read(platform::RootKey::LocalMachine32), "32");
    EXPECT_EQ(read(platform::RootKey::LocalMachine), sizeof(void*) == 8 ? "64" : "32");
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, KEY_WOW64_64KEY, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY, 0);
}

TEST(Win32Services, FileExistsOnlyForFiles)
{
    auto services = platform::win32Services();
    TempDir dir;
    ASSERT_TRUE(writeFile(dir.file("fpupdate.exe"), ""));
    ASSERT_TRUE(CreateDirectoryA(dir.file("folder.exe").c_str(), nullptr));
    EXPECT_TRUE(services.files.fileExists(dir.file("fpupdate.exe")));
    EXPECT_TRUE(services.files.fileExists(dir.file("FPUPDATE.EXE")));
    EXPECT_FALSE(services.files.fileExists(dir.file("folder.exe")));
    EXPECT_FALSE(services.files.fileExists(dir.file("missing.exe")));
    EXPECT_FALSE(services.files.fileExists(""));
}

TEST(Win32Services, MessagesToNoWindowOrAGoneWindowFail)
{
    auto services = platform::win32Services();
    char byte = 'x';
    platform::CopyData data{0, 1, &byte};
    EXPECT_FALSE(services.windows.postMessage(platform::WindowHandle::None, WM_USER, 0, 0));
    EXPECT_FALSE(services.windows.sendCopyData(platform::WindowHandle::None, data,
                                               std::chrono::milliseconds(100)));
    // Posting to no window would have put the message in this thread's own queue.
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));

    HWND gone =
        CreateWindowExA(0, "STATIC", "gone", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    auto handle = static_cast<platform::WindowHandle>(reinterpret_cast<std::uintptr_t>(gone));
    EXPECT_FALSE(services.windows.postMessage(handle, WM_USER, 0, 0));
    EXPECT_FALSE(services.windows.sendCopyData(handle, data, std::chrono::milliseconds(100)));

    EXPECT_EQ(services.windows.registerMessage("5x5 Networking Sort Channel"),
              RegisterWindowMessageA("5x5 Networking Sort Channel"));
    EXPECT_FALSE(services.processes.launch("\"C:\\no such folder\\roger.exe\" ",
                                           platform::ShowState::Hidden, ""));
}

// Every window of a class and title is found, and each tells the program that made it, so
// that the client link can pass over windows that merely look like the client's.
TEST(Win32Services, WindowsOfOneTitleAreAllFoundWithTheProgramThatMadeThem)
{
    auto services = platform::win32Services();
    const char* title = "Kestrion look-alike test window";
    EXPECT_TRUE(services.windows.findTopLevelWindows("STATIC", title).empty());
    HWND first =
        CreateWindowExA(0, "STATIC", title, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    HWND second =
        CreateWindowExA(0, "STATIC", title, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    auto handleOf = [](HWND hwnd) {
        return static_cast<platform::WindowHandle>(reinterpret_cast<std::uintptr_t>(hwnd));
    };
    auto found = services.windows.findTopLevelWindows("static", "KESTRION LOOK-ALIKE TEST WINDOW");
    EXPECT_EQ(found.size(), 2u);
    EXPECT_NE(std::find(found.begin(), found.end(), handleOf(first)), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), handleOf(second)), found.end());

    char self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    auto program = services.windows.programPathOf(handleOf(first));
    ASSERT_TRUE(program.has_value());
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, program->c_str(), -1, self, -1),
              CSTR_EQUAL)
        << *program << " / " << self;

    DestroyWindow(first);
    DestroyWindow(second);
    EXPECT_FALSE(services.windows.programPathOf(handleOf(first)).has_value());
    EXPECT_FALSE(services.windows.programPathOf(platform::WindowHandle::None).has_value());
}
