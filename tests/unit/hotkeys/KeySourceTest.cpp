#include "hotkeys/KeySource.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using hotkeys::FileStamp;
using hotkeys::KeySource;
using profile::HotkeyAction;
using Refresh = hotkeys::KeySource::Refresh;

namespace {

// Stamps as the system would give them; only their being equal or not matters.
FileStamp stamp(std::uint64_t n)
{
    return {true, n, n, n};
}

std::string keysProfile(int channel1)
{
    return "[options]\r\nsounds=1\r\n[keys]\r\nrequire_ctrl=1\r\nchannel1=" +
           std::to_string(channel1) + "\r\n";
}

} // namespace

TEST(KeySource, ReadsTheKeysAgainWhenTheStampChangesOrAChangeWasReported)
{
    testsupport::TempFolder dir;
    const std::string path = dir.write("profile.ini", keysProfile(116));
    KeySource source(path);
    EXPECT_EQ(source.keys(), profile::Hotkeys{}); // nothing before the first read

    EXPECT_TRUE(source.refresh(stamp(1), Refresh::IfStampChanged));
    EXPECT_TRUE(source.keys().requireCtrl);
    EXPECT_EQ(source.keys()[HotkeyAction::Channel1], 116);

    // The same stamp: the file is not read, whatever it holds now.
    testsupport::writeBytes(path, keysProfile(117));
    EXPECT_FALSE(source.refresh(stamp(1), Refresh::IfStampChanged));
    EXPECT_EQ(source.keys()[HotkeyAction::Channel1], 116);
    // A new stamp, or a change the folder reported, reads it.
    EXPECT_TRUE(source.refresh(stamp(2), Refresh::IfStampChanged));
    EXPECT_EQ(source.keys()[HotkeyAction::Channel1], 117);
    testsupport::writeBytes(path, keysProfile(118));
    EXPECT_TRUE(source.refresh(stamp(2), Refresh::Always));
    EXPECT_EQ(source.keys()[HotkeyAction::Channel1], 118);
    // A read that finds the same keys changes nothing.
    testsupport::writeBytes(path, "[keys]\r\nchannel1=0x76\r\nrequire_ctrl=1\r\n[host]\r\n");
    EXPECT_FALSE(source.refresh(stamp(3), Refresh::IfStampChanged));
}

TEST(KeySource, AProfileThatCannotBeReadKeepsTheKeysInForce)
{
    namespace fs = std::filesystem;
    struct Case {
        const char* what;
        void (*spoil)(const std::string& path);
    };
    const Case cases[] = {
        {"missing", [](const std::string& path) { fs::remove(path); }},
        {"a folder",
         [](const std::string& path) {
             fs::remove(path);
             fs::create_directory(path);
         }},
        {"UTF-16",
         [](const std::string& path) {
             testsupport::writeBytes(path, std::string("\xFF\xFE[\0k\0e\0y\0s\0]\0", 14));
         }},
    };
    for (const auto& c : cases) {
        testsupport::TempFolder dir;
        const std::string path = dir.write("profile.ini", keysProfile(116));
        KeySource source(path);
        ASSERT_TRUE(source.refresh(stamp(1), Refresh::Always));

        c.spoil(path);
        EXPECT_FALSE(source.refresh(stamp(2), Refresh::Always)) << c.what;
        EXPECT_FALSE(source.refresh(stamp(3), Refresh::IfStampChanged)) << c.what;
        EXPECT_EQ(source.keys()[HotkeyAction::Channel1], 116) << c.what;
        EXPECT_TRUE(source.keys().requireCtrl) << c.what;

        // Once it can be read again it is, even under the stamp of the failed read.
        std::error_code ec;
        fs::remove(path, ec);
        testsupport::writeBytes(path, keysProfile(120));
        EXPECT_TRUE(source.refresh(stamp(3), Refresh::IfStampChanged)) << c.what;
        EXPECT_EQ(source.keys()[HotkeyAction::Channel1], 120) << c.what;
    }
}

TEST(KeySource, AReadableProfileSaysWhichKeysThereAre)
{
    // Files that exist and can be read, though empty or cut off: they say what they say.
    struct Case {
        const char* bytes;
        int channel1;
        bool requireCtrl;
    };
    const Case cases[] = {
        {"", 0, false},
        {"[options]\r\nsounds=1\r\n", 0, false},
        {"[keys]\r\nrequire_ctrl=1\r\nchannel1=116\r\nchann", 116, true},
        {"[keys]\r\nrequire_ctrl=1\r\nchannel1=11", 11, true},
        {"[keys", 0, false},
    };
    for (const auto& c : cases) {
        testsupport::TempFolder dir;
        const std::string path = dir.write("profile.ini", keysProfile(99));
        KeySource source(path);
        ASSERT_TRUE(source.refresh(stamp(1), Refresh::Always));
        testsupport::writeBytes(path, c.bytes);
        EXPECT_TRUE(source.refresh(stamp(2), Refresh::IfStampChanged)) << c.bytes;
        EXPECT_EQ(source.keys()[HotkeyAction::Channel1], c.channel1) << c.bytes;
        EXPECT_EQ(source.keys().requireCtrl, c.requireCtrl) << c.bytes;
    }
}
