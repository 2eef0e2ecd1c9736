#include "profile/ProfileData.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace profile;
using profile::testing::readBytes;
using profile::testing::TempFolder;
using profile::testing::writeBytes;

namespace {

using Names = std::vector<std::string>;

// The example profile of the file format: two channels, a custom sound for the first,
// Ctrl required, keypad hotkeys.
const std::string kExample = "[options]\r\n"
                             "language=english\r\n"
                             "sounds=1\r\n"
                             "hide_at_start=0\r\n"
                             "[host]\r\n"
                             "address=127.0.0.1\r\n"
                             "password=\r\n"
                             "[channels]\r\n"
                             "count=2\r\n"
                             "default=1\r\n"
                             "channel1=Alpha\r\n"
                             "channel2=Bravo\r\n"
                             "[sounds]\r\n"
                             "error=DEFAULT\r\n"
                             "channel0=DEFAULT\r\n"
                             "channel1=C:\\Sounds\\alpha.wav\r\n"
                             "channel2=DEFAULT\r\n"
                             "[keys]\r\n"
                             "require_alt=0\r\n"
                             "require_ctrl=1\r\n"
                             "channel_up=107\r\n"
                             "channel_down=109\r\n"
                             "disconnect=110\r\n"
                             "traypop=0\r\n"
                             "increasevolume=0\r\n"
                             "decreasevolume=0\r\n"
                             "increasegain=0\r\n"
                             "decreasegain=0\r\n"
                             "channel0=96\r\n"
                             "channel1=97\r\n"
                             "channel2=98\r\n"
                             "channel3=0\r\n"
                             "channel4=0\r\n"
                             "channel5=0\r\n"
                             "channel6=0\r\n"
                             "channel7=0\r\n"
                             "channel8=0\r\n"
                             "channel9=0\r\n";

} // namespace

TEST(ProfileData, MissingProfileLoadsTheDefaults)
{
    TempFolder folder;
    const std::string path = folder.file("none.ini");
    ProfileData data = loadProfile(path);
    EXPECT_TRUE(data.SoundsEnabled);
    EXPECT_FALSE(data.HideAtStart);
    EXPECT_EQ(data.HostAddress, "127.0.0.1");
    EXPECT_EQ(data.HostPassword, "");
    EXPECT_EQ(data.ChannelCount, 1);
    EXPECT_EQ(data.InitialChannel, 0);
    EXPECT_EQ(data.ChannelNames, Names{"DEFAULT"});
    EXPECT_EQ(data.ChannelSounds, (Names{"DEFAULT", "DEFAULT"}));
    EXPECT_EQ(data.ErrorSoundSetting, "DEFAULT");
    EXPECT_EQ(data.ProfilePath, path);
    EXPECT_EQ(data.Language, "english");
    EXPECT_EQ(readHotkeys(path), Hotkeys{});
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ProfileData, ExampleProfileLoads)
{
    TempFolder folder;
    const std::string path = folder.file("example.ini");
    writeBytes(path, kExample);
    ProfileData data = loadProfile(path);
    EXPECT_EQ(data.ChannelCount, 2);
    EXPECT_EQ(data.InitialChannel, 1);
    EXPECT_EQ(data.ChannelNames, (Names{"Alpha", "Bravo"}));
    EXPECT_EQ(data.ChannelSounds, (Names{"DEFAULT", "C:\\Sounds\\alpha.wav", "DEFAULT"}));
    Hotkeys keys = readHotkeys(path);
    EXPECT_FALSE(keys.requireAlt);
    EXPECT_TRUE(keys.requireCtrl);
    EXPECT_EQ(keys[HotkeyAction::ChannelUp], 107);
    EXPECT_EQ(keys[HotkeyAction::ChannelDown], 109);
    EXPECT_EQ(keys[HotkeyAction::Disconnect], 110);
    EXPECT_EQ(keys[channelHotkey(0)], 96);
    EXPECT_EQ(keys[channelHotkey(2)], 98);
    EXPECT_EQ(keys[channelHotkey(9)], 0);
}

TEST(ProfileData, LoadHandlesOddProfiles)
{
    struct Case {
        const char* what;
        std::string file;
        std::int32_t count;
        std::int32_t initial;
        Names names;
        Names sounds;
    };
    const Case cases[] = {
        {"count 0: only the lobby", "[channels]\r\ncount=0\r\n", 0, 0, {}, {"DEFAULT"}},
        {"negative count behaves as 0", "[channels]\r\ncount=-4\r\n", -4, 0, {}, {"DEFAULT"}},
        {"missing names and sounds read as DEFAULT",
         "[channels]\r\ncount=3\r\nchannel1=One\r\n",
         3,
         0,
         {"One", "DEFAULT", "DEFAULT"},
         {"DEFAULT", "DEFAULT", "DEFAULT", "DEFAULT"}},
        {"entries beyond the count are ignored",
         "[channels]\r\ncount=1\r\nchannel1=A\r\nchannel5=E\r\n[sounds]\r\nchannel5=e.wav\r\n",
         1,
         0,
         {"A"},
         {"DEFAULT", "DEFAULT"}},
        {"initial channel above the count becomes the lobby",
         "[channels]\r\ncount=3\r\ndefault=7\r\n",
         3,
         0,
         {"DEFAULT", "DEFAULT", "DEFAULT"},
         {"DEFAULT", "DEFAULT", "DEFAULT", "DEFAULT"}},
        {"initial channel -1 and below stay",
         "[channels]\r\ncount=0\r\ndefault=-5\r\n",
         0,
         -5,
         {},
         {"DEFAULT"}},
        {"empty name is empty, not DEFAULT",
         "[channels]\r\ncount=2\r\nchannel2=\r\n",
         2,
         0,
         {"DEFAULT", ""},
         {"DEFAULT", "DEFAULT", "DEFAULT"}},
        {"blanks and quotes around names go",
         "[channels]\r\ncount=2\r\nchannel1=  padded  \r\nchannel2=\"quoted\"\r\n",
         2,
         0,
         {"padded", "quoted"},
         {"DEFAULT", "DEFAULT", "DEFAULT"}},
        {"names in other letter cases are found",
         "[CHANNELS]\r\nCount=1\r\nCHANNEL1=Upper\r\n[Sounds]\r\nChannel0=lobby.wav\r\n",
         1,
         0,
         {"Upper"},
         {"lobby.wav", "DEFAULT"}},
        {"a hexadecimal count",
         "[channels]\r\ncount=$2\r\n",
         2,
         0,
         {"DEFAULT", "DEFAULT"},
         {"DEFAULT", "DEFAULT", "DEFAULT"}},
        {"a count that is no number is the default 1",
         "[channels]\r\ncount=two\r\n",
         1,
         0,
         {"DEFAULT"},
         {"DEFAULT", "DEFAULT"}},
    };
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    for (const auto& c : cases) {
        writeBytes(path, c.file);
        ProfileData data = loadProfile(path);
        EXPECT_EQ(data.ChannelCount, c.count) << c.what;
        EXPECT_EQ(data.InitialChannel, c.initial) << c.what;
        EXPECT_EQ(data.ChannelNames, c.names) << c.what;
        EXPECT_EQ(data.ChannelSounds, c.sounds) << c.what;
    }
}

TEST(ProfileData, OptionsAndKeysReadByTheirTypes)
{
    struct Case {
        std::string file;
        bool sounds;
        bool hide;
        std::int32_t channelUp;
        bool requireAlt;
    };
    const Case cases[] = {
        {"[options]\r\nsounds=word\r\n", true, false, 0, false},
        {"[options]\r\nsounds=2\r\nhide_at_start=1\r\n", true, true, 0, false},
        {"[options]\r\nsounds=0\r\nhide_at_start=0x1\r\n", false, true, 0, false},
        {"[keys]\r\nchannel_up=0x70\r\nrequire_alt=5\r\n", true, false, 112, true},
        {"[KEYS]\r\nChannel_Up=112abc\r\nrequire_alt=no\r\n", true, false, 0, false},
    };
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    for (const auto& c : cases) {
        writeBytes(path, c.file);
        ProfileData data = loadProfile(path);
        Hotkeys keys = readHotkeys(path);
        EXPECT_EQ(data.SoundsEnabled, c.sounds) << c.file;
        EXPECT_EQ(data.HideAtStart, c.hide) << c.file;
        EXPECT_EQ(keys[HotkeyAction::ChannelUp], c.channelUp) << c.file;
        EXPECT_EQ(keys.requireAlt, c.requireAlt) << c.file;
    }
}

TEST(ProfileData, AbsurdChannelCountIsCapped)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    writeBytes(path, "[channels]\r\ncount=2147483647\r\ndefault=70000\r\n");
    ProfileData data = loadProfile(path);
    EXPECT_EQ(data.ChannelCount, kMaxChannelCount);
    EXPECT_EQ(data.ChannelNames.size(), static_cast<std::size_t>(kMaxChannelCount));
    EXPECT_EQ(data.ChannelSounds.size(), static_cast<std::size_t>(kMaxChannelCount) + 1);
    EXPECT_EQ(data.InitialChannel, 0);
}

// The save is one replacement of the file, with exactly the bytes that its single writes,
// one after the other, would have left.
TEST(ProfileData, SaveGivesTheBytesOfItsSingleWrites)
{
    const std::string starts[] = {
        kExample,
        "",
        "; my profile\n[keys]\nchannel_up = 0x70\n\n[channels]\ncount=9\nchannel9=old\n"
        "[options]\nsounds=0\n[sounds]\nchannel9=old.wav",
        "[channels]\r\ncount=1\r\n[sounds]\r\n[channels]\r\nchannel1=dup\r\n",
    };
    ProfileData data;
    data.HostAddress = "voice.example";
    data.HostPassword = "pa\xDF";
    data.ChannelNames = {"Alpha", "  Bravo  ", "\"Charlie\""};
    data.ChannelSounds = {"lobby.wav", "DEFAULT", "b.wav", "c.wav"};
    data.ErrorSoundSetting = "error.wav";
    data.InitialChannel = 2;
    Hotkeys keys;
    keys.requireAlt = true;
    keys[HotkeyAction::ChannelUp] = 107;
    keys[channelHotkey(3)] = 99;

    TempFolder folder;
    for (const auto& start : starts) {
        const std::string saved = folder.file("saved.ini");
        const std::string single = folder.file("single.ini");
        writeBytes(saved, start);
        writeBytes(single, start);
        saveChannelSettings(saved, data, keys);

        writeText(single, "host", "address", data.HostAddress);
        writeText(single, "host", "password", data.HostPassword);
        eraseSection(single, "channels");
        eraseSection(single, "sounds");
        writeInteger(single, "channels", "count", 3);
        writeInteger(single, "channels", "default", 2);
        writeText(single, "sounds", "error", data.ErrorSoundSetting);
        writeText(single, "sounds", "channel0", data.ChannelSounds[0]);
        for (int p = 1; p <= 3; ++p) {
            const std::string key = "channel" + std::to_string(p);
            writeText(single, "channels", key, data.ChannelNames[p - 1]);
            writeText(single, "sounds", key, data.ChannelSounds[p]);
        }
        writeFlag(single, "keys", "require_alt", true);
        writeFlag(single, "keys", "require_ctrl", false);
        for (std::size_t i = 0; i < kHotkeyCount; ++i)
            writeInteger(single, "keys", kHotkeyNames[i], keys.codes[i]);

        EXPECT_EQ(readBytes(saved), readBytes(single)) << start;
    }
}

TEST(ProfileData, SaveRewritesChannelsAndKeepsOptions)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    writeBytes(path, "[options]\r\nlanguage=deutsch\r\nhide_at_start=1\r\n"
                     "[channels]\r\ncount=5\r\ndefault=7\r\nchannel5=Echo\r\n"
                     "[keys]\r\nchannel_up=0x70\r\n"
                     "[sounds]\r\nchannel5=echo.wav\r\n");
    ProfileData data = loadProfile(path);
    Hotkeys keys = readHotkeys(path);
    data.ChannelNames = {"Alpha", "Bravo"};
    data.ChannelSounds.resize(3);
    saveChannelSettings(path, data, keys);

    EXPECT_EQ(readBytes(path), "[options]\r\nlanguage=deutsch\r\nhide_at_start=1\r\n"
                               "[keys]\r\nchannel_up=112\r\n"
                               "require_alt=0\r\nrequire_ctrl=0\r\n"
                               "channel_down=0\r\ndisconnect=0\r\ntraypop=0\r\n"
                               "increasevolume=0\r\ndecreasevolume=0\r\n"
                               "increasegain=0\r\ndecreasegain=0\r\n"
                               "channel0=0\r\nchannel1=0\r\nchannel2=0\r\nchannel3=0\r\n"
                               "channel4=0\r\nchannel5=0\r\nchannel6=0\r\nchannel7=0\r\n"
                               "channel8=0\r\nchannel9=0\r\n"
                               "[host]\r\naddress=127.0.0.1\r\npassword=\r\n"
                               "[channels]\r\ncount=2\r\ndefault=0\r\n"
                               "channel1=Alpha\r\nchannel2=Bravo\r\n"
                               "[sounds]\r\nerror=DEFAULT\r\nchannel0=DEFAULT\r\n"
                               "channel1=DEFAULT\r\nchannel2=DEFAULT\r\n");
    ProfileData again = loadProfile(path);
    EXPECT_EQ(again.ChannelNames, (Names{"Alpha", "Bravo"}));
    EXPECT_EQ(again.InitialChannel, 0);
    EXPECT_EQ(again.Language, "deutsch");
    EXPECT_TRUE(again.HideAtStart);
}

TEST(ProfileData, SaveWithTooFewSoundsWritesDefault)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    ProfileData data;
    data.ChannelNames = {"A", "B", "C"};
    data.ChannelSounds = {"lobby.wav", "a.wav"};
    saveChannelSettings(path, data, Hotkeys{});
    EXPECT_EQ(loadProfile(path).ChannelSounds, (Names{"lobby.wav", "a.wav", "DEFAULT", "DEFAULT"}));
    data.ChannelSounds.clear();
    saveChannelSettings(path, data, Hotkeys{});
    EXPECT_EQ(loadProfile(path).ChannelSounds, (Names{"DEFAULT", "DEFAULT", "DEFAULT", "DEFAULT"}));
}

TEST(ProfileData, FailedSaveLeavesTheWholeProfile)
{
    TempFolder folder;
    ProfileData data;
    data.ChannelNames = {"New"};
    // The file cannot be replaced: it is read-only.
    const std::string readOnly = folder.file("ro.ini");
    writeBytes(readOnly, kExample);
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_THROW(saveChannelSettings(readOnly, data, Hotkeys{}), ProfileWriteError);
    EXPECT_EQ(readBytes(readOnly), kExample);
    // A name that cannot be stored, late in the save: nothing of the save reaches the file.
    const std::string writable = folder.file("rw.ini");
    writeBytes(writable, kExample);
    data.ChannelNames = {"Fine", "Broken\r\nname"};
    EXPECT_THROW(saveChannelSettings(writable, data, Hotkeys{}), InvalidProfileEntry);
    EXPECT_EQ(readBytes(writable), kExample);
    // A folder that does not exist.
    data.ChannelNames = {"Fine"};
    EXPECT_THROW(saveChannelSettings(folder.file("gone/p.ini"), data, Hotkeys{}),
                 ProfileWriteError);
}

TEST(ProfileData, StartUpChoosesTheProfileFromTheHomeProfile)
{
    TempFolder folder;
    const std::string home = folder.file("kestrion.ini");
    const std::string other = folder.file("other.ini");
    writeBytes(other, "");
    const std::string rwc = folder.file("setup.rwc");
    writeBytes(rwc, "");
    const std::string dir = folder.file("dir.ini");
    std::filesystem::create_directory(dir);
    struct Case {
        std::string homeText; // empty: no home profile at all
        std::string profile;
        std::string rwcFile;
    };
    const Case cases[] = {
        {"", home, ""},
        {"[options]\r\nlast_ini=" + other + "\r\nuse_rwc=" + rwc + "\r\n", other, rwc},
        {"[options]\r\nlast_ini=" + folder.file("gone.ini") +
             "\r\nuse_rwc=" + folder.file("gone.rwc") + "\r\n",
         home, ""},
        {"[options]\r\nlast_ini=" + dir + "\r\nuse_rwc=" + dir + "\r\n", home, ""},
        {"[options]\r\nlast_ini=\r\nuse_rwc=\r\n", home, ""},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(home);
        if (!c.homeText.empty())
            writeBytes(home, c.homeText);
        EXPECT_EQ(ChooseProfilePath(home), c.profile) << c.homeText;
        EXPECT_EQ(ReadRwcSetting(home), c.rwcFile) << c.homeText;
    }
}

TEST(ProfileData, RememberedProfileMustExist)
{
    TempFolder folder;
    const std::string home = folder.file("kestrion.ini");
    const std::string other = folder.file("other.ini");
    writeBytes(other, "");
    RememberProfilePath(home, other);
    EXPECT_EQ(readText(home, "options", "last_ini", ""), other);
    RememberProfilePath(home, folder.file("gone.ini"));
    EXPECT_EQ(readText(home, "options", "last_ini", ""), home);
    EXPECT_THROW(RememberProfilePath(folder.file("gone/kestrion.ini"), other), ProfileWriteError);
}

TEST(ProfileData, SingleOptionsGoToTheGivenProfileOnly)
{
    TempFolder folder;
    const std::string home = folder.file("kestrion.ini");
    const std::string current = folder.file("current.ini");
    writeBytes(home, "[options]\r\nsounds=1\r\n");
    storeSoundsEnabled(current, false);
    storeHideAtStart(current, true);
    storeInitialChannel(current, -1);
    storeLanguage(current, "fran\xE7"
                           "ais");
    ProfileData data = loadProfile(current);
    EXPECT_FALSE(data.SoundsEnabled);
    EXPECT_TRUE(data.HideAtStart);
    EXPECT_EQ(data.InitialChannel, -1);
    EXPECT_EQ(data.Language, "fran\xE7"
                             "ais");
    EXPECT_EQ(readBytes(home), "[options]\r\nsounds=1\r\n");
    EXPECT_THROW(storeLanguage(folder.file("gone/p.ini"), "english"), ProfileWriteError);
}

TEST(ProfileData, NamesAndPathsOfTheHomeProfile)
{
    const std::pair<const char*, const char*> homes[] = {
        {"C:\\Programs\\Kestrion\\kestrion.exe", "C:\\Programs\\Kestrion\\kestrion.ini"},
        {"C:\\My.Tools\\kestrion", "C:\\My.Tools\\kestrion.ini"},
        {"/opt/k.d/kestrion.tar.exe", "/opt/k.d/kestrion.tar.ini"},
        {"kestrion.EXE", "kestrion.ini"},
    };
    for (const auto& [program, home] : homes)
        EXPECT_EQ(homeProfilePath(program), home);

    const std::pair<const char*, bool> words[] = {
        {"DEFAULT", true},
        {"default", true},
        {"DeFaUlT", true},
        {"DEFAULT ", false},
        {"", false},
        {"DEFAULTS", false},
        {"D\xC9"
         "FAULT",
         false},
    };
    for (const auto& [word, expected] : words)
        EXPECT_EQ(isDefaultKeyword(word), expected) << word;
}
