// The profile store beside the Windows profile functions, on the same files: where both define
// a behaviour, the store must read and write as GetPrivateProfileStringA and
// WritePrivateProfileStringA do. Also the Windows side of file replacement and kestrion-cli.

#include "base/win32/Handles.h"
#include "profile/IniFile.h"
#include "profile/ProfileData.h"

#include "WinTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// The Linux path of a file under Wine; empty elsewhere.
std::string unixPath(const std::string& path)
{
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto name = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH] = {};
    if (!name || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
        return {};
    char* unix = name(wide);
    if (!unix)
        return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
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
    base::win32::UniqueFind find(FindFirstFileA(dir.file("*.tmp").c_str(), &found));
    EXPECT_FALSE(find) << found.cFileName;
}

TEST(IniStoreWinTest, AWriteWaitsOutAReaderHoldingTheFileForAMoment)
{
    // A reader that shares everything still keeps a rename over the file from succeeding; the
    // write goes through once it has let go.
    TempDir dir;
    const std::string path = dir.file("held.ini");
    ASSERT_TRUE(writeFile(path, "[a]\r\nk=1\r\n"));
    base::win32::UniqueFile reader(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    std::thread letGo([&reader] {
        Sleep(30);
        reader.reset();
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

// A profile that is a link (here a Linux symbolic link, which Wine shows as one) is written
// through it: the link stays, the file it names gets the text, and that file's read-only
// attribute refuses the write.
TEST(IniStoreWinTest, ALinkedProfileIsWrittenThroughItsLink)
{
    TempDir dir;
    const std::string target = dir.file("target.ini");
    const std::string link = dir.file("link.ini");
    ASSERT_TRUE(writeFile(target, "[a]\r\nk=1\r\n"));
    const std::string folder = unixPath(dir.path());
    ASSERT_FALSE(folder.empty()) << "needs Wine";
    ASSERT_EQ(runOnHost("ln -s target.ini '" + folder + "/link.ini'"), 0);
    const std::string isLink = "test -L '" + folder + "/link.ini'";

    profile::writeText(link, "a", "k", "2");
    EXPECT_EQ(runOnHost(isLink), 0) << "the link was replaced by a file";
    EXPECT_EQ(readFile(target), "[a]\r\nk=2\r\n");
    EXPECT_EQ(profile::readText(link, "a", "k", ""), "2");

    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(profile::writeText(link, "a", "k", "3"), profile::ProfileWriteError);
    EXPECT_EQ(runOnHost(isLink), 0);
    EXPECT_EQ(readFile(target), "[a]\r\nk=2\r\n");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A link to a file whose own path the 8-bit file functions cannot reach (MAX_PATH or more):
// the write cannot go through the link, and fails, leaving the link a link and its file as it
// was, instead of putting a plain file in the link's place.
TEST(IniStoreWinTest, ALinkToAFileBeyondTheReachOfThePathLimitFailsAndStaysALink)
{
    TempDir dir;
    const std::string folder = unixPath(dir.path());
    ASSERT_FALSE(folder.empty()) << "needs Wine";
    const std::string deep = folder + "/" + std::string(120, 'd') + "/" + std::string(120, 'e');
    ASSERT_EQ(runOnHost("mkdir -p '" + deep + "' && printf '[a]\\r\\nk=1\\r\\n' > '" + deep +
                        "/target.ini' && ln -s '" + deep + "/target.ini' '" + folder +
                        "/link.ini'"),
              0);
    const std::string link = dir.file("link.ini");
    EXPECT_EQ(profile::readText(link, "a", "k", ""), "1");

    EXPECT_THROW(profile::writeText(link, "a", "k", "2"), profile::ProfileWriteError);
    EXPECT_EQ(runOnHost("test -L '" + folder + "/link.ini'"), 0) << "the link was replaced";
    EXPECT_EQ(runOnHost("grep -q 'k=1' '" + deep + "/target.ini'"), 0);
}

// Where no temporary file can be made beside the profile, the profile is rewritten where it
// stands: in a folder whose path leaves no room for the temporary file's name within MAX_PATH,
// and in a folder that takes no new files (made so on the host: Wine runs as root here, whom
// permissions do not stop, but an immutable folder stops everyone).
TEST(IniStoreWinTest, AProfileWhoseFolderTakesNoNewFileIsRewrittenInPlace)
{
    TempDir dir;
    std::string deep = dir.path() + "deep";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    // A folder of 249 to 253 characters: the profile's path fits within MAX_PATH, the path of
    // a temporary file beside it does not.
    while (deep.size() < 249) {
        const std::size_t room = 253 - deep.size();
        deep.push_back('\\');
        deep.append(std::min<std::size_t>(20, room - 1), 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }
    const std::string longPath = deep + "\\p.ini";
    ASSERT_LT(longPath.size(), static_cast<std::size_t>(MAX_PATH));
    ASSERT_TRUE(writeFile(longPath, "[a]\r\nk=1\r\n"));
    profile::writeText(longPath, "a", "k", "2");
    profile::writeText(longPath, "a", "added", "3");
    EXPECT_EQ(readFile(longPath), "[a]\r\nk=2\r\nadded=3\r\n");

    const std::string locked = dir.file("locked");
    ASSERT_TRUE(CreateDirectoryA(locked.c_str(), nullptr));
    const std::string path = locked + "\\p.ini";
    ASSERT_TRUE(writeFile(path, "[a]\r\nk=1\r\n" + std::string(300, ';') + "\r\n"));
    const std::string folder = unixPath(locked);
    ASSERT_FALSE(folder.empty()) << "needs Wine";
    if (runOnHost("chattr +i '" + folder + "'") != 0) {
        std::printf("SKIPPED the immutable folder: chattr +i is not possible here\n");
        return;
    }
    struct Unlock {
        std::string folder;
        ~Unlock() { runOnHost("chattr -i '" + folder + "'"); }
    } unlock{folder};
    EXPECT_EQ(CreateFileA((locked + "\\probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          0, nullptr),
              INVALID_HANDLE_VALUE);
    profile::writeText(path, "a", "k", "2");
    profile::writeText(path, "a", "added", "3");
    EXPECT_EQ(readFile(path), "[a]\r\nk=2\r\n" + std::string(300, ';') + "\r\nadded=3\r\n");
    EXPECT_THROW(profile::writeText(locked + "\\new.ini", "a", "k", "1"),
                 profile::ProfileWriteError);
}

// A writer killed in mid-save leaves "kes-<its process id>-<serial>.tmp" beside the profile;
// the next write removes such files of processes that have ended, and nothing else.
TEST(IniStoreWinTest, TemporaryFilesOfEndedWritersAreRemovedByTheNextWrite)
{
    TempDir dir;
    const std::string path = dir.file("p.ini");
    ASSERT_TRUE(writeFile(path, "[a]\r\nk=1\r\n"));
    // A writer that still runs: a program that waits for its user (a console program would
    // end at once here, its input being at its end).
    Process running("notepad.exe", SW_HIDE);
    // Wine hands a freed process id to the next process soon, so the id of an ended writer is
    // taken only once nothing runs under it any more.
    DWORD ended = 0;
    for (int attempt = 0; attempt < 10 && ended == 0; ++attempt) {
        DWORD id = 0;
        {
            Process process("cmd.exe /c exit 0", SW_HIDE);
            ASSERT_TRUE(process.wait(std::chrono::seconds(10)).has_value());
            id = process.id();
        }
        base::win32::UniqueKernelHandle again(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
        DWORD code = 0;
        bool alive = again && GetExitCodeProcess(again.get(), &code) && code == STILL_ACTIVE;
        if (!alive && id != running.id() && id != GetCurrentProcessId())
            ended = id;
    }
    ASSERT_NE(ended, 0u) << "no process id that nothing runs under";
    const std::string stale[] = {"kes-" + std::to_string(ended) + "-0.tmp",
                                 "KES-" + std::to_string(ended) + "-12.TMP"};
    const std::string kept[] = {
        "kes-" + std::to_string(GetCurrentProcessId()) + "-3.tmp",
        "kes-" + std::to_string(running.id()) + "-0.tmp",
        "kes-" + std::to_string(ended) + "-x.tmp",
        "kesA1B2.tmp",
        "notes.tmp",
    };
    for (const auto& name : stale)
        ASSERT_TRUE(writeFile(dir.file(name), "x"));
    for (const auto& name : kept)
        ASSERT_TRUE(writeFile(dir.file(name), "x"));

    ASSERT_TRUE(running.running());
    profile::writeText(path, "a", "k", "2");
    for (const auto& name : stale)
        EXPECT_EQ(GetFileAttributesA(dir.file(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
    for (const auto& name : kept)
        EXPECT_NE(GetFileAttributesA(dir.file(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
    EXPECT_EQ(readFile(path), "[a]\r\nk=2\r\n");
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
