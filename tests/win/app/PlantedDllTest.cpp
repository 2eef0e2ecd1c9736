// DLLs planted beside the program: stand-ins named like the system DLLs the program uses,
// each leaving a marker file when it is loaded. CTest tells Wine to prefer a DLL beside the
// program to its own, as Windows does for every DLL that is not a known DLL (Wine takes that
// from the Unix environment a process starts with, not from a variable set by its parent).
// The program must load none of them and work as before; a probe shows each way of
// restricting the search, and that the stand-ins are loaded where nothing restricts it.

#include "../platform/DesktopTestSupport.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

using namespace wintest;

namespace {

const char* const kPlanted[] = {"version.dll", "winmm.dll", "comctl32.dll", "dwmapi.dll",
                                "oleacc.dll"};

// A folder holding `program` (copied from beside the tests) and the stand-ins.
class PlantedFolder {
public:
    explicit PlantedFolder(const std::vector<std::string>& programFiles)
    {
        for (const auto& name : programFiles)
            copy(exeDir() + name, name);
        for (const char* name : kPlanted)
            copy(exeDir() + "planted\\" + name, name);
    }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    // The stand-ins that left the marker ".loaded" (loaded) or ".called-by-program" (called
    // from the program's own code).
    std::set<std::string> marked(const std::string& marker) const
    {
        std::set<std::string> names;
        for (const char* name : kPlanted)
            if (GetFileAttributesA(file(name + marker).c_str()) != INVALID_FILE_ATTRIBUTES)
                names.insert(name);
        return names;
    }

private:
    void copy(const std::string& from, const std::string& name)
    {
        if (!CopyFileA(from.c_str(), file(name).c_str(), FALSE))
            throw std::runtime_error("cannot copy " + from);
    }
    TempDir m_dir;
};

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Where a loaded DLL came from, as the probe reports it.
std::string origin(const std::string& path, const PlantedFolder& folder)
{
    std::string p = lower(path);
    if (p.empty())
        return "not loaded";
    if (p.rfind(lower(folder.file("")), 0) == 0)
        return "beside";
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    if (p.rfind(lower(system) + "\\", 0) == 0)
        return "system";
    if (p.find("\\winsxs\\") != std::string::npos)
        return "side by side";
    return path;
}

} // namespace

TEST(PlantedDlls, EachWayOfRestrictingTheSearchKeepsThemOut)
{
    // The probe's paths, per mode: unguarded, every stand-in whose name is loaded from a
    // folder comes from beside the probe; the common controls always come from their
    // assembly, which the manifest names. Without SetDefaultDllDirectories only the
    // delay-loaded DLLs are safe, and a DLL loaded by name still comes from beside it: the
    // program depends on no such load.
    struct Case {
        const char* mode;
        std::map<std::string, std::string> origins;
    };
    const Case cases[] = {
        {"unguarded",
         {{"version.dll", "beside"},
          {"winmm.dll", "beside"},
          {"comctl32.dll", "side by side"},
          {"dwmapi.dll", "beside"},
          {"oleacc.dll", "beside"}}},
        {"restricted",
         {{"version.dll", "system"},
          {"winmm.dll", "system"},
          {"comctl32.dll", "side by side"},
          {"dwmapi.dll", "system"},
          {"oleacc.dll", "system"}}},
        {"fallback",
         {{"version.dll", "system"},
          {"winmm.dll", "system"},
          {"comctl32.dll", "side by side"},
          {"dwmapi.dll", "beside"},
          {"oleacc.dll", "system"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        PlantedFolder folder({"dll_search_probe.exe"});
        RunResult result = run(quoted(folder.file("dll_search_probe.exe")) + " " + c.mode);
        ASSERT_EQ(result.exitCode, 0u) << result.err;
        std::map<std::string, std::string> origins;
        std::set<std::string> expectedLoaded;
        std::istringstream lines(result.out);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            auto eq = line.find('=');
            if (eq != std::string::npos)
                origins[line.substr(0, eq)] = origin(line.substr(eq + 1), folder);
        }
        EXPECT_EQ(origins, c.origins) << result.out;
        for (const auto& [name, where] : c.origins)
            if (where == "beside")
                expectedLoaded.insert(name);
        EXPECT_EQ(folder.marked(".loaded"), expectedLoaded);
        if (std::string(c.mode) != "unguarded") {
            EXPECT_EQ(folder.marked(".called-by-program"), std::set<std::string>{});
        }
    }
}

TEST(PlantedDlls, TheProgramLoadsNoneAndShowsItsVersionPlaysAndJoins)
{
    desktoptest::SoundCapture sound;
    PlantedFolder folder({"kestrion.exe", "kestrihk.dll"});
    ASSERT_TRUE(writeFile(
        folder.file("kestrion.ini"),
        "[host]\r\naddress=10.0.0.1\r\npassword=pw\r\n[channels]\r\ncount=1\r\ndefault=1\r\n"
        "channel1=Alpha\r\n"));
    const std::string log = folder.file("client.log");
    setClientAppPath(ClientSimulator::exePath());
    SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", log.c_str());
    SetEnvironmentVariableA("KESTRION_CLIENTSIM_TITLE", nullptr);

    std::size_t soundBefore = sound.size();
    Process program(quoted(folder.file("kestrion.exe")));
    HWND main = program.window("TMainForm", std::chrono::seconds(20));
    ASSERT_NE(main, nullptr);
    // The join, and its sound through the delay-loaded sound library.
    EXPECT_TRUE(waitFor(
        [&] {
            auto lines = logLines(log);
            return std::find(lines.begin(), lines.end(), "COPYDATA 254 /join1 10.0.0.1/ALPHA pw") !=
                   lines.end();
        },
        std::chrono::seconds(15)))
        << readFile(log);
    EXPECT_TRUE(waitFor([&] { return sound.size() > soundBefore; }, std::chrono::seconds(10)));

    // A screen reader's request makes the program load the accessibility library.
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        constexpr GUID iidAccessible = {
            0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
        IAccessible* object = nullptr;
        EXPECT_EQ(AccessibleObjectFromWindow(main, static_cast<DWORD>(OBJID_CLIENT), iidAccessible,
                                             reinterpret_cast<void**>(&object)),
                  S_OK);
        long children = 0;
        if (object) {
            EXPECT_EQ(object->get_accChildCount(&children), S_OK);
            object->Release();
        }
        EXPECT_GE(children, 2); // the bar's window and the display
        CoUninitialize();
    }

    // The About box reads the version resource through the delay-loaded version library.
    // Help, About.
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }));
    ASSERT_TRUE(chooseFromMenu(main, "Corvandial", "alt+h", "a"));
    HWND box = nullptr;
    ASSERT_TRUE(waitFor([&] { return (box = FindWindowA("#32770", "About Kestrion")) != nullptr; },
                        std::chrono::seconds(15)));
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_NE(std::string(text).find("\r\nVersion " KESTRION_VERSION "\r\n"), std::string::npos)
        << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }));

    ASSERT_TRUE(chooseFromMenu(main, "Corvandial", "alt+f", "x"));
    EXPECT_EQ(program.wait(std::chrono::seconds(10)), std::optional<DWORD>(0));
    // Wine's own user32 (unlike Windows') imports version.dll, so Wine loads the stand-in of
    // that name before any line of the program runs; that the program never calls into it
    // tells.
    std::set<std::string> loaded = folder.marked(".loaded");
    loaded.erase("version.dll");
    EXPECT_EQ(loaded, std::set<std::string>{});
    EXPECT_EQ(folder.marked(".called-by-program"), std::set<std::string>{});

    if (HWND client = FindWindowA("#32770", "Roger Wilco"))
        PostMessageA(client, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([] { return FindWindowA("#32770", "Roger Wilco") == nullptr; }));
    removeClientAppPath();
}
