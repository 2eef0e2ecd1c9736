#include "CliRun.h"
#include "cli/Cli.h"
#include "cli/Json.h"

#include "../profile/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

using profile::testing::readBytes;
using profile::testing::TempFolder;
using profile::testing::writeBytes;

namespace {

using Outcome = clitest::CliRun;
using clitest::run;

} // namespace

TEST(ProfileCommands, IniGetPrintsWhatTheStoreReads)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    writeBytes(path, "[Keys]\r\nchannel_up=0x70\r\nbad=112abc\r\nname=\"caf\xE9\"\r\nflag=2\r\n");
    struct Case {
        cli::Args args;
        std::string out;
    };
    const Case cases[] = {
        {{"ini", "get", path, "keys", "name"}, "\"caf\\u00e9\"\n"},
        {{"ini", "get", path, "keys", "absent"}, "\"\"\n"},
        {{"ini", "get", path, "keys", "absent", "fallback"}, "\"fallback\"\n"},
        {{"ini", "get", path, "KEYS", "Channel_Up", "--int"}, "112\n"},
        {{"ini", "get", path, "keys", "bad", "-1", "--int"}, "-1\n"},
        {{"ini", "get", "--int", path, "keys", "absent"}, "0\n"},
        {{"ini", "get", path, "keys", "flag", "--flag"}, "true\n"},
        {{"ini", "get", path, "keys", "absent", "true", "--flag"}, "true\n"},
        {{"ini", "get", path, "keys", "absent", "--flag"}, "false\n"},
        {{"ini", "get", folder.file("none.ini"), "a", "b", "d"}, "\"d\"\n"},
    };
    for (const auto& c : cases) {
        Outcome r = run(c.args);
        EXPECT_EQ(r.status, 0) << c.args[4] << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[4];
    }
}

TEST(ProfileCommands, IniSetAndEraseChangeTheFile)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    Outcome set = run({"ini", "set", path, "host", "address", " caf\xE9 "});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(cli::parseJson(set.out).find("Value")->asString(), "caf\xE9");
    EXPECT_EQ(readBytes(path), "[host]\r\naddress= caf\xE9 \r\n");

    Outcome erase = run({"ini", "erase", path, "HOST"});
    EXPECT_EQ(erase.status, 0) << erase.err;
    EXPECT_TRUE(cli::parseJson(erase.out).find("Erased")->asBool());
    EXPECT_EQ(readBytes(path), "");
    EXPECT_FALSE(cli::parseJson(run({"ini", "erase", path, "host"}).out).find("Erased")->asBool());
}

TEST(ProfileCommands, BadCommandLinesAndFailedWritesExitNonZero)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    writeBytes(path, "[a]\r\nk=v\r\n");
    ::chmod(path.c_str(), 0444);
    struct Case {
        cli::Args args;
        int status;
        std::string err; // a part of standard error
    };
    const Case cases[] = {
        {{"ini"}, 2, "missing subcommand"},
        {{"ini", "get", path, "a"}, 2, "usage"},
        {{"ini", "get", path, "a", "k", "x", "--int"}, 2, "DEFAULT must be an integer"},
        {{"ini", "get", path, "a", "k", "--int", "--flag"}, 2, "at most one"},
        {{"ini", "frob", path}, 2, "unknown subcommand"},
        {{"ini", "set", path, "a", "k"}, 2, "usage"},
        {{"ini", "set", path, "a", "k", "w"}, 1, "Unable to write to " + path},
        {{"ini", "erase", path, "a"}, 1, "Unable to write to " + path},
        {{"ini", "set", path, "a", "k", "two\nlines"}, 1, "line break"},
        {{"profile", "show"}, 2, "usage"},
        {{"profile", "frob", path}, 2, "unknown subcommand"},
    };
    for (const auto& c : cases) {
        Outcome r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.args.back();
    }
    EXPECT_EQ(readBytes(path), "[a]\r\nk=v\r\n");
}

TEST(ProfileCommands, ProfileShowPrintsTheLoadedProfile)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    writeBytes(path, "[options]\r\nsounds=0\r\nlanguage=fran\xE7"
                     "ais\r\n"
                     "[host]\r\naddress=10.1.1.1\r\npassword=\"pw\"\r\n"
                     "[channels]\r\ncount=2\r\ndefault=9\r\nchannel1=Caf\xE9\r\n"
                     "[sounds]\r\nchannel2=b.wav\r\nerror=err.wav\r\n"
                     "[keys]\r\nrequire_ctrl=1\r\nchannel_up=0x70\r\nchannel9=57\r\n");
    Outcome r = run({"profile", "show", path});
    ASSERT_EQ(r.status, 0) << r.err;
    cli::JsonValue json = cli::parseJson(r.out);
    std::vector<std::string> members;
    for (const auto& [name, value] : json.asObject())
        members.push_back(name);
    EXPECT_EQ(members, (std::vector<std::string>{"ChannelCount", "ChannelNames", "ChannelSounds",
                                                 "ErrorSoundSetting", "HideAtStart", "HostAddress",
                                                 "HostPassword", "InitialChannel", "Keys",
                                                 "Language", "SoundsEnabled"}));
    EXPECT_FALSE(json.find("SoundsEnabled")->asBool());
    EXPECT_FALSE(json.find("HideAtStart")->asBool());
    EXPECT_EQ(json.find("HostAddress")->asString(), "10.1.1.1");
    EXPECT_EQ(json.find("HostPassword")->asString(), "pw");
    EXPECT_EQ(json.find("ChannelCount")->asInt(), 2);
    EXPECT_EQ(json.find("InitialChannel")->asInt(), 0);
    EXPECT_EQ(json.find("ChannelNames")->asArray().at(0).asString(), "Caf\xE9");
    EXPECT_EQ(json.find("ChannelNames")->asArray().at(1).asString(), "DEFAULT");
    EXPECT_EQ(json.find("ChannelSounds")->asArray().size(), 3u);
    EXPECT_EQ(json.find("ChannelSounds")->asArray().at(2).asString(), "b.wav");
    EXPECT_EQ(json.find("ErrorSoundSetting")->asString(), "err.wav");
    EXPECT_EQ(json.find("Language")->asString(), "fran\xE7"
                                                 "ais");
    const cli::JsonValue& keys = *json.find("Keys");
    EXPECT_EQ(keys.asObject().size(), 20u);
    EXPECT_FALSE(keys.find("require_alt")->asBool());
    EXPECT_TRUE(keys.find("require_ctrl")->asBool());
    EXPECT_EQ(keys.find("channel_up")->asInt(), 112);
    EXPECT_EQ(keys.find("channel9")->asInt(), 57);
    EXPECT_EQ(keys.find("traypop")->asInt(), 0);
    EXPECT_NE(r.out.find("\"Caf\\u00e9\""), std::string::npos);
}

TEST(ProfileCommands, ProfileSaveTakesJsonAndKeepsWhatItLacks)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    writeBytes(path, "[options]\r\nlanguage=deutsch\r\n[host]\r\naddress=old.host\r\n"
                     "[channels]\r\ncount=1\r\nchannel1=Old\r\n[keys]\r\nchannel_up=107\r\n");
    Outcome saved = run({"profile", "save", path},
                        R"({"ChannelNames": ["Caf\u00e9", "Two"], "InitialChannel": 2,
                        "Keys": {"require_alt": true, "channel3": 99}, "Language": "ignored"})");
    ASSERT_EQ(saved.status, 0) << saved.err;
    Outcome shown = run({"profile", "show", path});
    EXPECT_EQ(saved.out, shown.out);
    cli::JsonValue json = cli::parseJson(shown.out);
    EXPECT_EQ(json.find("HostAddress")->asString(), "old.host");
    EXPECT_EQ(json.find("ChannelCount")->asInt(), 2);
    EXPECT_EQ(json.find("InitialChannel")->asInt(), 2);
    EXPECT_EQ(json.find("Language")->asString(), "deutsch");
    EXPECT_TRUE(json.find("Keys")->find("require_alt")->asBool());
    EXPECT_EQ(json.find("Keys")->find("channel_up")->asInt(), 107);
    EXPECT_EQ(json.find("Keys")->find("channel3")->asInt(), 99);
    EXPECT_NE(readBytes(path).find("channel1=Caf\xE9\r\n"), std::string::npos);

    // What show prints, save takes back unchanged.
    const std::string before = readBytes(path);
    Outcome again = run({"profile", "save", path}, shown.out);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(readBytes(path), before);
}

TEST(ProfileCommands, ProfileSaveRefusesBadInputAndKeepsTheFile)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    const std::string original = "[channels]\r\ncount=1\r\nchannel1=Keep\r\n";
    writeBytes(path, original);
    const std::string inputs[] = {
        "",
        "[1, 2]",
        R"({"ChannelNames": "not a list"})",
        R"({"HostAdress": "typo"})",
        R"({"Keys": {"channel10": 1}})",
        R"({"InitialChannel": 4294967296})",
        R"({"ChannelNames": ["two\r\nlines"]})",
        R"({"HostAddress": "\u0100"})",
        R"({"ChannelNames": ["unterminated)",
    };
    for (const auto& input : inputs) {
        Outcome r = run({"profile", "save", path}, input);
        EXPECT_EQ(r.status, 1) << input;
        EXPECT_FALSE(r.err.empty()) << input;
        EXPECT_EQ(readBytes(path), original) << input;
    }
    ::chmod(path.c_str(), 0444);
    Outcome r = run({"profile", "save", path}, "{}");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Unable to write to " + path + "\n");
    EXPECT_EQ(readBytes(path), original);
}

TEST(ProfileCommands, ProfileStartFollowsTheHomeProfile)
{
    TempFolder folder;
    const std::string home = folder.file("kestrion.ini");
    const std::string other = folder.file("other.ini");
    const std::string rwc = folder.file("a.rwc");
    writeBytes(other, "");
    writeBytes(rwc, "");
    writeBytes(home, "[options]\r\nlast_ini=" + other + "\r\nuse_rwc=" + rwc + "\r\n");
    Outcome r = run({"profile", "start", home});
    ASSERT_EQ(r.status, 0) << r.err;
    cli::JsonValue json = cli::parseJson(r.out);
    EXPECT_EQ(json.find("ProfilePath")->asString(), other);
    EXPECT_EQ(json.find("RwcFile")->asString(), rwc);

    writeBytes(home, "[options]\r\nlast_ini=" + folder.file("gone.ini") + "\r\n");
    json = cli::parseJson(run({"profile", "start", home}).out);
    EXPECT_EQ(json.find("ProfilePath")->asString(), home);
    EXPECT_EQ(json.find("RwcFile")->asString(), "");
}
