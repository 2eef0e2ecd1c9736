// The profile store beside the Windows profile functions, on the same files: where both define
// a behaviour, the store must read and write as GetPrivateProfileStringA and
// WritePrivateProfileStringA do. Also the Windows side of file replacement and kestrion-cli.

#include "profile/IniFile.h"
#include "profile/ProfileData.h"

#include "WinTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>
#include <variant>

using namespace wintest;
using namespace std::string_literals;

namespace {

std::string systemRead(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback)
{
    char buffer[2048] = {};
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer,
                                       sizeof buffer, path.c_str());
    return std::string(buffer, n);
}

// Every file gets a name of its own: the system functions keep recently used files parsed
// and might not notice a rewrite within the same instant.
std::string freshFile(const TempDir& dir)
{
    static int counter = 0;
    std::string name = std::to_string(++counter);
    name.insert(0, 1, 'p');
    name.append(".ini");
    return dir.file(name);
}

struct Set {
    std::string section, key, value;
};
struct Erase {
    std::string section;
};
using Edit = std::variant<Set, Erase>;

void systemEdit(const std::string& path, const Edit& edit)
{
    BOOL ok;
    if (auto* set = std::get_if<Set>(&edit))
        ok = WritePrivateProfileStringA(set->section.c_str(), set->key.c_str(), set->value.c_str(),
                                        path.c_str());
    else
        ok = WritePrivateProfileStringA(std::get<Erase>(edit).section.c_str(), nullptr, nullptr,
                                        path.c_str());
    ASSERT_TRUE(ok) << path;
}

void storeEdit(const std::string& path, const Edit& edit)
{
    if (auto* set = std::get_if<Set>(&edit))
        profile::writeText(path, set->section, set->key, set->value);
    else
        profile::eraseSection(path, std::get<Erase>(edit).section);
}

} // namespace

TEST(IniStoreWinTest, ReadsMatchTheSystemProfileFunctions)
{
    TempDir dir;
    const std::string files[] = {
        "[options]\r\nlanguage=english\r\nsounds=1\r\n[keys]\r\nchannel_up=107\r\n",
        "[a]\nk=lf\n[b]\nx=1\n",
        "[a]\rk=cr\r[b]\rx=1",
        "[a]\r\nk=no final break",
        "[a]\r\n \t k \t=  v w \t\r\nq=\"quoted\"\r\nr='single'\r\ns=\"open\r\nt=\"\r\nu=\"\"\r\n",
        "[a]\r\nk=1\r\nk=2\r\n[A]\r\nk=3\r\nm=4\r\n",
        "[a]\r\nnoeq\r\nnoeq=2\r\n;comment=c\r\nk=v=w\r\n=empty key\r\n",
        "top=1\r\n[ sp ]\r\nk=sp\r\n[x]junk\r\nk=x\r\n[y\r\nk=y\r\n[]\r\nk=e\r\n[a]b]\r\nk=ab\r\n",
        "  [ind]  \r\nk=\v\fv\x1a\r\n\r\n\r\n",
        "\xEF\xBB\xBF[bom]\r\nk=1\r\n",
        "[a]\r\nk=v\0w\r\nx\0y=1\r\n"s,
        "[hi]\r\nk=caf\xE9 \x80\xFF\xA0\r\n[\xC9t\xE9]\r\nk=1\r\n",
        "[long]\r\nk=" + std::string(3000, 'a') + "\r\nq=\"" + std::string(2000, 'b') + "\"\r\n",
    };
    const std::pair<const char*, const char*> queries[] = {
        {"options", "sounds"},
        {"OPTIONS", "Language"},
        {"keys", "channel_up"},
        {"a", "k"},
        {"b", "x"},
        {" a ", " k "},
        {"a", "q"},
        {"a", "r"},
        {"a", "s"},
        {"a", "t"},
        {"a", "u"},
        {"a", "m"},
        {"A", "m"},
        {"a", "noeq"},
        {"a", ";comment"},
        {"a", ""},
        {"", "top"},
        {"sp", "k"},
        {"x", "k"},
        {"y", "k"},
        {"", "k"},
        {"a]b", "k"},
        {"ind", "k"},
        {"bom", "k"},
        {"a", "x"},
        {"hi", "k"},
        {"\xC9t\xE9", "k"},
        {"long", "k"},
        {"long", "q"},
        {"absent", "k"},
    };
    for (const auto& text : files) {
        const std::string path = freshFile(dir);
        ASSERT_TRUE(writeFile(path, text));
        for (const auto& [section, key] : queries) {
            EXPECT_EQ(profile::readText(path, section, key, "dflt"),
                      systemRead(path, section, key, "dflt"))
                << "[" << section << "] " << key << " in\n"
                << text.substr(0, 200);
        }
    }
}

TEST(IniStoreWinTest, WritesMatchTheSystemProfileFunctions)
{
    struct Case {
        const char* what;
        std::string file; // nothing: no file at first
        std::vector<Edit> edits;
    };
    const std::string example = "[options]\r\nsounds=1\r\n[channels]\r\ncount=2\r\n"
                                "channel1=Alpha\r\n[keys]\r\nchannel_up=107\r\n";
    const Case cases[] = {
        {"new file", "", {Set{"host", "address", "127.0.0.1"}, Set{"host", "password", ""}}},
        {"replace in place", example, {Set{"CHANNELS", "Channel1", "Bravo"}}},
        {"add to a middle section", example, {Set{"channels", "channel2", "Charlie"}}},
        {"add a section", example, {Set{"sounds", "error", "DEFAULT"}}},
        {"same value", example, {Set{"options", "sounds", "1"}}},
        {"erase", example, {Erase{"channels"}, Set{"channels", "count", "0"}}},
        {"erase absent", example, {Erase{"nothing"}}},
        {"duplicates",
         "[a]\r\nk=1\r\nk=2\r\n[b]\r\n[A]\r\nm=3\r\n",
         {Set{"a", "k", "9"}, Set{"a", "m", "8"}, Erase{"A"}, Set{"a", "n", "7"}}},
        {"keys without '=', comments",
         "[a]\r\n;note\r\nnoeq\r\nk=1\r\n",
         {Set{"a", "noeq", "5"}, Set{"a", "z", "6"}}},
        {"nameless section", "top=1\r\n[a]\r\nk=1\r\n", {Set{"", "n", "2"}}},
        {"quotes and 8-bit text",
         example,
         {Set{"host", "address", "\"quoted\""}, Set{"h\xF4te", "caf\xE9", "\xE9t\xE9 \x80"}}},
        {"the channel settings save",
         example,
         {Set{"host", "address", "10.0.0.1"}, Set{"host", "password", "pw"}, Erase{"channels"},
          Erase{"sounds"}, Set{"channels", "count", "1"}, Set{"channels", "default", "0"},
          Set{"sounds", "error", "DEFAULT"}, Set{"sounds", "channel0", "DEFAULT"},
          Set{"channels", "channel1", "One"}, Set{"sounds", "channel1", "one.wav"},
          Set{"keys", "require_alt", "0"}, Set{"keys", "channel_up", "112"}}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string mine = freshFile(dir);
        const std::string theirs = freshFile(dir);
        if (!c.file.empty()) {
            ASSERT_TRUE(writeFile(mine, c.file));
            ASSERT_TRUE(writeFile(theirs, c.file));
        }
        for (const auto& edit : c.edits) {
            storeEdit(mine, edit);
            systemEdit(theirs, edit);
        }
        EXPECT_EQ(readFile(mine), readFile(theirs)) << c.what;
    }
}

TEST(IniStoreWinTest, ChannelSettingsSaveEqualsTheSystemWritesInOrder)
{
    TempDir dir;
    const std::string mine = freshFile(dir);
    const std::string theirs = freshFile(dir);
    const std::string start = "[options]\r\nlanguage=english\r\n[channels]\r\ncount=3\r\n"
                              "default=2\r\nchannel3=Gone\r\n[keys]\r\nchannel_up=0x70\r\n"
                              "[sounds]\r\nchannel3=gone.wav\r\n";
    ASSERT_TRUE(writeFile(mine, start));
    ASSERT_TRUE(writeFile(theirs, start));

    profile::ProfileData data = profile::loadProfile(mine);
    profile::Hotkeys keys = profile::readHotkeys(mine);
    data.ChannelNames = {"Alpha", "Caf\xE9"};
    data.ChannelSounds = {"DEFAULT", "C:\\Sounds\\alpha.wav", "DEFAULT"};
    keys.requireCtrl = true;
    profile::saveChannelSettings(mine, data, keys);

    auto write = [&](const char* section, const std::string& key, const std::string& value) {
        ASSERT_TRUE(
            WritePrivateProfileStringA(section, key.c_str(), value.c_str(), theirs.c_str()));
    };
    write("host", "address", "127.0.0.1");
    write("host", "password", "");
    ASSERT_TRUE(WritePrivateProfileStringA("channels", nullptr, nullptr, theirs.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("sounds", nullptr, nullptr, theirs.c_str()));
    write("channels", "count", "2");
    write("channels", "default", "2");
    write("sounds", "error", "DEFAULT");
    write("sounds", "channel0", "DEFAULT");
    write("channels", "channel1", "Alpha");
    write("sounds", "channel1", "C:\\Sounds\\alpha.wav");
    write("channels", "channel2", "Caf\xE9");
    write("sounds", "channel2", "DEFAULT");
    write("keys", "require_alt", "0");
    write("keys", "require_ctrl", "1");
    for (std::size_t i = 0; i < profile::kHotkeyCount; ++i)
        write("keys", std::string(profile::kHotkeyNames[i]), std::to_string(keys.codes[i]));

    EXPECT_EQ(readFile(mine), readFile(theirs));
    EXPECT_EQ(profile::readInteger(mine, "keys", "channel_up", 0), 112);
}

TEST(IniStoreWinTest, FailedWritesLeaveTheFileAsItWas)
{
    TempDir dir;
    const std::string original = "[a]\r\nk=v\r\n";
    const std::string readOnly = dir.file("readonly.ini");
    ASSERT_TRUE(writeFile(readOnly, original));
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string folder = dir.file("folder.ini");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string longPath = dir.path();
    while (longPath.size() < 280)
        longPath += std::string(40, 'd') + "\\";
    longPath += "p.ini";

    const std::string paths[] = {readOnly, folder, dir.file("missing\\p.ini"), longPath};
    for (const auto& path : paths) {
        try {
            profile::writeText(path, "a", "k", "new");
            ADD_FAILURE() << path << ": no error";
        } catch (const profile::ProfileWriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
        }
        EXPECT_EQ(profile::readText(path, "a", "k", "dflt"), systemRead(path, "a", "k", "dflt"));
    }
    EXPECT_EQ(readFile(readOnly), original);
    EXPECT_EQ(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    // Nothing of the failed writes is left in the folder.
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(dir.file("*.tmp").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << found.cFileName;
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
}

TEST(IniStoreWinTest, AWriteWaitsOutAReaderHoldingTheFileForAMoment)
{
    // A reader that shares everything still keeps a rename over the file from succeeding; the
    // write goes through once it has let go.
    TempDir dir;
    const std::string path = dir.file("held.ini");
    ASSERT_TRUE(writeFile(path, "[a]\r\nk=1\r\n"));
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread letGo([reader] {
        Sleep(30);
        CloseHandle(reader);
    });
    profile::writeText(path, "a", "k", "2");
    letGo.join();
    EXPECT_EQ(readFile(path), "[a]\r\nk=2\r\n");
}

TEST(IniStoreWinTest, ReplacementKeepsTheFileAttributes)
{
    TempDir dir;
    const std::string path = dir.file("hidden.ini");
    ASSERT_TRUE(writeFile(path, "[a]\r\nk=1\r\n"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    profile::writeText(path, "a", "k", "2");
    EXPECT_EQ(readFile(path), "[a]\r\nk=2\r\n");
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(IniStoreWinTest, CliReadsAndWritesProfiles)
{
    TempDir dir;
    const std::string cli = quoted(exeDir() + "kestrion-cli.exe");
    const std::string path = dir.file("cli.ini");

    RunResult set = run(cli + " ini set " + quoted(path) + " channels channel1 Caf\xE9");
    EXPECT_EQ(set.exitCode, 0u) << set.err;
    EXPECT_EQ(readFile(path), "[channels]\r\nchannel1=Caf\xE9\r\n");

    RunResult get = run(cli + " ini get " + quoted(path) + " CHANNELS Channel1");
    EXPECT_EQ(get.exitCode, 0u) << get.err;
    EXPECT_THAT(get.out, testing::StartsWith("\"Caf\\u00e9\""));

    RunResult show = run(cli + " profile show " + quoted(path));
    EXPECT_EQ(show.exitCode, 0u) << show.err;
    EXPECT_THAT(show.out, testing::HasSubstr("\"ChannelNames\":[\"Caf\\u00e9\"]"));

    const std::string json = dir.file("in.json");
    ASSERT_TRUE(writeFile(json, R"({"ChannelNames":["\u00e9t\u00e9","B"],"Keys":{"traypop":9}})"));
    RunResult save =
        run("cmd /c \"" + cli + " profile save " + quoted(path) + " < " + quoted(json) + "\"");
    EXPECT_EQ(save.exitCode, 0u) << save.err;
    EXPECT_EQ(systemRead(path, "channels", "channel1", ""), "\xE9t\xE9");
    EXPECT_EQ(systemRead(path, "keys", "traypop", ""), "9");

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string before = readFile(path);
    RunResult failed =
        run("cmd /c \"" + cli + " profile save " + quoted(path) + " < " + quoted(json) + "\"");
    EXPECT_NE(failed.exitCode, 0u);
    EXPECT_THAT(failed.err, testing::HasSubstr("Unable to write to " + path));
    EXPECT_EQ(readFile(path), before);
}
