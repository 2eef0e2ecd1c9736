#include "profile/IniFile.h"

#include "TempFolder.h"
#include "Unprivileged.h"
#include "profile/FileIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace profile;
using profile::testing::readBytes;
using profile::testing::TempFolder;
using profile::testing::writeBytes;
using namespace std::string_literals;

namespace {

// Expects a ProfileWriteError naming `path`, and the file system entry at `path` unchanged.
void expectWriteFails(const std::string& path, const std::function<void()>& write, const char* what)
{
    namespace fs = std::filesystem;
    const bool wasRegular = fs::is_regular_file(path);
    const std::string before = wasRegular ? readBytes(path) : std::string();
    const auto type = fs::symlink_status(path).type();
    try {
        write();
        ADD_FAILURE() << what << ": no error";
    } catch (const ProfileWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path) << what;
        EXPECT_EQ(e.path(), path) << what;
    }
    EXPECT_EQ(fs::symlink_status(path).type(), type) << what;
    if (wasRegular) {
        EXPECT_EQ(readBytes(path), before) << what;
    }
}

bool hasTemporaryFiles(const TempFolder& folder)
{
    for (const auto& name : folder.entries()) {
        if (name.find(".tmp") != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

TEST(IniFile, ValuesReadAsTextIntegerAndFlag)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    writeBytes(path, "[options]\r\n"
                     "word=yes\r\n"
                     "two=2\r\n"
                     "zero=0\r\n"
                     "hex=0x70\r\n"
                     "dollar=$70\r\n"
                     "junk=112abc\r\n"
                     "empty=\r\n"
                     "quoted=\"12\"\r\n"
                     "spaced=  padded text  \r\n"
                     "noequals\r\n");
    struct Case {
        const char* key;
        std::string text;    // readText with default "dflt"
        std::int32_t number; // readInteger with default -7
        bool flagFromTrue;   // readFlag with default true
        bool flagFromFalse;  // readFlag with default false
    };
    const Case cases[] = {
        {"word", "yes", -7, true, false},
        {"two", "2", 2, true, true},
        {"zero", "0", 0, false, false},
        {"hex", "0x70", 112, true, true},
        {"dollar", "$70", 112, true, true},
        {"junk", "112abc", -7, true, false},
        {"empty", "", -7, true, false},
        {"quoted", "12", 12, true, true},
        {"spaced", "padded text", -7, true, false},
        {"noequals", "dflt", -7, true, false},
        {"absent", "dflt", -7, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readText(path, "options", c.key, "dflt"), c.text) << c.key;
        EXPECT_EQ(readInteger(path, "OPTIONS", c.key, -7), c.number) << c.key;
        EXPECT_EQ(readFlag(path, "options", c.key, true), c.flagFromTrue) << c.key;
        EXPECT_EQ(readFlag(path, "options", c.key, false), c.flagFromFalse) << c.key;
    }
}

TEST(IniFile, FirstWriteCreatesTheFileAndEachWriteIsSeenByTheNextRead)
{
    TempFolder folder;
    const std::string path = folder.file("new.ini");
    EXPECT_EQ(readText(path, "host", "address", "127.0.0.1"), "127.0.0.1");
    writeText(path, "host", "address", "10.0.0.2");
    EXPECT_EQ(readText(path, "host", "address", "127.0.0.1"), "10.0.0.2");
    writeInteger(path, "channels", "default", -1);
    writeFlag(path, "options", "sounds", false);
    EXPECT_EQ(readBytes(path), "[host]\r\naddress=10.0.0.2\r\n"
                               "[channels]\r\ndefault=-1\r\n"
                               "[options]\r\nsounds=0\r\n");
    eraseSection(path, "channels");
    EXPECT_EQ(readInteger(path, "channels", "default", 5), 5);
    EXPECT_FALSE(hasTemporaryFiles(folder));
}

TEST(IniFile, WritesThatChangeNothingLeaveTheFileAlone)
{
    TempFolder folder;
    // A read-only file accepts a write of the value it already holds.
    const std::string readOnly = folder.file("ro.ini");
    writeBytes(readOnly, "[a]\r\nk = v \r\n");
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_NO_THROW(writeText(readOnly, "a", "k", "v"));
    EXPECT_NO_THROW(eraseSection(readOnly, "absent"));
    EXPECT_EQ(readBytes(readOnly), "[a]\r\nk = v \r\n");
    // Erasing in a missing file does not create it.
    const std::string missing = folder.file("missing.ini");
    EXPECT_NO_THROW(eraseSection(missing, "a"));
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// Files the store cannot use read as empty, and writes to them fail without touching them.
TEST(IniFile, UnusableFilesReadAsEmptyAndRefuseWrites)
{
    TempFolder folder;
    const std::string dir = folder.file("folder.ini");
    std::filesystem::create_directory(dir);
    const std::string readOnly = folder.file("readonly.ini");
    writeBytes(readOnly, "[a]\r\nk=v\r\n");
    ::chmod(readOnly.c_str(), 0444);
    const std::string utf16 = folder.file("utf16.ini");
    writeBytes(utf16, "\xFF\xFE[\0a\0]\0\r\0\n\0"s);
    const std::string oversized = folder.file("oversized.ini");
    writeBytes(oversized, "[a]\r\nk=v\r\n");
    std::filesystem::resize_file(oversized, kMaxProfileSize + 1);
    const std::string fifo = folder.file("pipe.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string missingFolder = folder.file("nowhere/p.ini");
    const std::string underAFile = readOnly + "/p.ini";

    const std::pair<std::string, const char*> cases[] = {
        {dir, "default"},        {readOnly, "v"},   {utf16, "default"},
        {oversized, "default"},  {fifo, "default"}, {missingFolder, "default"},
        {underAFile, "default"},
    };
    for (const auto& [path, readable] : cases) {
        EXPECT_EQ(readText(path, "a", "k", "default"), readable) << path;
        expectWriteFails(
            path, [&] { writeText(path, "a", "k", "new"); }, path.c_str());
        expectWriteFails(
            path, [&] { writeInteger(path, "b", "n", 1); }, path.c_str());
        expectWriteFails(
            path, [&] { eraseSection(path, "a"); }, path.c_str());
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    EXPECT_FALSE(hasTemporaryFiles(folder));
}

TEST(IniFile, EntriesThatWouldBreakTheFileAreRefused)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    const std::string original = "[a]\r\nk=v\r\n";
    writeBytes(path, original);
    struct Case {
        std::string section, key, value;
    };
    const Case cases[] = {
        {"a", "k", "line\r\n[evil]\r\nz=1"},
        {"a", "k", "cr\ronly"},
        {"a", "k", "lf\nonly"},
        {"a", "k", "nul\0byte"s},
        {"a\r\n", "k", "v"},
        {"a", "k\nz", "v"},
        {"a", "p=q", "v"},
        {"a", "[x", "]"},
        {"a", "  [x", "v"},
        {"", "\xEF\xBB\xBFkey", "v"},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(writeText(path, c.section, c.key, c.value), InvalidProfileEntry)
            << c.section << "/" << c.key << "/" << c.value;
    }
    EXPECT_THROW(eraseSection(path, "a\nb"), InvalidProfileEntry);
    EXPECT_EQ(readBytes(path), original);
}

TEST(IniFile, LargeFilesAndLongLinesKeepEveryOtherByte)
{
    TempFolder folder;
    // About 50 MB of entries, with a line of a megabyte and NUL bytes among them. (The
    // benchmark holds a 50 MB file of short lines.)
    std::string big = "[channels]\r\n";
    big.reserve(52u * 1024 * 1024);
    const std::string filler(1000, 'n');
    for (int i = 0; big.size() < 50u * 1024 * 1024; ++i)
        big.append("channel").append(std::to_string(i)).append("=").append(filler).append("\r\n");
    big += "huge=" + std::string(1024 * 1024, 'h') + "\r\n";
    big += "nul=a\0b\r\n"s;
    const std::string tail = "[options]\nsounds=0";
    big += tail;
    const std::string path = folder.file("big.ini");
    writeBytes(path, big);

    EXPECT_EQ(readText(path, "channels", "channel1000", ""), filler);
    EXPECT_EQ(readText(path, "channels", "huge", ""), std::string(2047, 'h'));
    EXPECT_EQ(readText(path, "channels", "nul", ""), "a");
    EXPECT_FALSE(readFlag(path, "options", "sounds", true));

    writeText(path, "channels", "added", "1");
    EXPECT_EQ(readBytes(path), big.substr(0, big.size() - tail.size()) + "added=1\r\n" + tail);
}

TEST(IniFile, PathsOfMoreThan260CharactersWork)
{
    TempFolder folder;
    std::string dir = folder.path();
    while (dir.size() < 300)
        dir += "/" + std::string(60, 'd');
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/profile.ini";
    writeText(path, "host", "address", "example");
    EXPECT_EQ(readText(path, "host", "address", ""), "example");
}

TEST(IniFile, ReplacementKeepsPermissionsAndWritesThroughLinks)
{
    TempFolder folder;
    const std::string target = folder.file("target.ini");
    writeBytes(target, "[a]\r\nk=1\r\n");
    ::chmod(target.c_str(), 0640);
    const std::string link = folder.file("link.ini");
    std::filesystem::create_symlink(target, link);

    writeText(link, "a", "k", "2");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(target), "[a]\r\nk=2\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_FALSE(hasTemporaryFiles(folder));
}

TEST(IniFile, ReplacementKeepsTheOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another owner; skipped";
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    writeBytes(path, "[host]\r\npassword=secret\r\n");
    ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    ::chmod(path.c_str(), 0600);
    writeText(path, "host", "password", "other");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 5678u);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(readText(path, "host", "password", ""), "other");
}

// A folder where the user may create no file, with a profile in it that the user may write:
// the profile is rewritten where it stands. What the folder and the file refuse binds an
// unprivileged user only, so that is who writes.
TEST(IniFile, AFolderThatRefusesNewFilesStillTakesWritesToItsProfile)
{
    TempFolder folder;
    const std::string dir = folder.file("locked");
    std::filesystem::create_directory(dir);
    const std::string path = dir + "/p.ini";
    const std::string readOnly = dir + "/ro.ini";
    writeBytes(path, "[a]\r\nk=1\r\n" + std::string(300, ';') + "\r\n");
    writeBytes(readOnly, "[a]\r\nk=1\r\n");
    ::chmod(readOnly.c_str(), 0444);
    ::chmod(dir.c_str(), 0555);
    ::chmod(folder.path().c_str(), 0755);
    testsupport::handOver(folder.path());
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    // 1: the write to the profile failed; 2: a refused write got through.
    const int result = testsupport::runUnprivileged([&] {
        try {
            writeText(path, "a", "k", "2");     // shorter than before
            writeText(path, "a", "added", "3"); // and longer
        } catch (const ProfileWriteError&) {
            return 1;
        }
        for (const std::string& refused : {readOnly, dir + "/new.ini"}) {
            try {
                writeText(refused, "a", "k", "2");
                return 2;
            } catch (const ProfileWriteError&) {
            }
        }
        return 0;
    });
    ASSERT_NE(result, -1) << "could not run as an unprivileged user";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readBytes(path), "[a]\r\nk=2\r\n" + std::string(300, ';') + "\r\nadded=3\r\n");
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(readBytes(readOnly), "[a]\r\nk=1\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir + "/new.ini"));
}

// A writer killed in mid-save leaves its temporary file beside the profile, and the profile
// whole; the next write removes what such writers left, and only that.
TEST(IniFile, TemporaryFilesOfKilledWritersAreRemovedByTheNextWrite)
{
    TempFolder folder;
    const std::string path = folder.file("p.ini");
    const std::string original = "[a]\r\nk=1\r\n";
    writeBytes(path, original);

    // The writer may write no more than 4 KB: the system kills it as it writes past that.
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        struct rlimit noCore {
            0, 0
        };
        ::setrlimit(RLIMIT_CORE, &noCore);
        struct rlimit small {
            4096, RLIM_INFINITY
        };
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::signal(SIGXFSZ, SIG_DFL);
        try {
            writeText(path, "a", "big", std::string(1000, 'x') + std::string(100000, 'y'));
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    const auto afterKill = folder.entries();
    ASSERT_EQ(afterKill.size(), 2u);
    const std::string& left = afterKill[0];
    EXPECT_TRUE(left.starts_with(".kestrion-" + std::to_string(writer) + "-")) << left;
    EXPECT_EQ(afterKill[1], "p.ini");
    EXPECT_EQ(readBytes(path), original);

    // Files the next write must keep: this process's own (it still runs), a running
    // process's, and names that are not the store's.
    const std::vector<std::string> kept = {
        ".kestrion-" + std::to_string(::getpid()) + "-99.tmp",
        ".kestrion-1-5.tmp",
        ".kestrion-x-1.tmp",
        left + ".bak",
        "notes.tmp",
    };
    for (const auto& name : kept)
        writeBytes(folder.file(name), "x");
    writeText(path, "a", "k", "2");
    std::vector<std::string> expected = kept;
    expected.push_back("p.ini");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.entries(), expected);
    EXPECT_EQ(readText(path, "a", "k", ""), "2");
}

// Failures that strike while the new text is being written: a full disk and a read-only
// disk. Both need a small file system of the test's own, mounted in a private mount
// namespace: root (as in CI) makes one at once; without the right to (another user, or root
// without CAP_SYS_ADMIN) the test makes a user namespace of its own first, where it may.
class IniFileOnOwnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        if (!enterPrivateMountNamespace(why))
            GTEST_SKIP() << "SKIPPED: no file system of the test's own can be mounted here (" << why
                         << ")";
        ASSERT_EQ(::mount("tmpfs", m_disk.path().c_str(), "tmpfs", 0, "size=64k"), 0)
            << std::strerror(errno);
        m_mounted = true;
    }
    void TearDown() override
    {
        if (m_mounted)
            ::umount2(m_disk.path().c_str(), MNT_DETACH);
    }

    // A mount namespace of this process's own, whose mounts no other process sees.
    static bool enterPrivateMountNamespace(std::string& why)
    {
        auto makePrivate = [&] {
            if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0)
                return true;
            why = std::string("making the mounts private: ") + std::strerror(errno);
            return false;
        };
        if (::unshare(CLONE_NEWNS) == 0)
            return makePrivate();
        why = std::string("mount namespace: ") + std::strerror(errno);
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            why += std::string("; user namespace: ") + std::strerror(errno);
            return false;
        }
        auto put = [](const char* file, const std::string& text) {
            std::ofstream out(file);
            out << text;
            out.close();
            return static_cast<bool>(out);
        };
        if (!put("/proc/self/setgroups", "deny") ||
            !put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1\n") ||
            !put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1\n")) {
            why += "; the user namespace's ids could not be mapped";
            return false;
        }
        return makePrivate();
    }

    TempFolder m_disk;
    bool m_mounted = false;
};

TEST_F(IniFileOnOwnDisk, FullDiskLeavesTheOldFileWhole)
{
    const std::string path = m_disk.file("p.ini");
    std::string original = "[a]\r\nk=v\r\n";
    for (int i = 0; i < 300; ++i)
        original += "channel" + std::to_string(i) + "=name\r\n";
    writeBytes(path, original);
    expectWriteFails(
        path, [&] { writeText(path, "a", "big", std::string(100 * 1024, 'x')); }, "full disk");
    EXPECT_EQ(m_disk.entries(), std::vector<std::string>{"p.ini"});
    // With room again, the same write goes through.
    writeText(path, "a", "small", "1");
    EXPECT_EQ(readText(path, "a", "small", ""), "1");
}

// A failed write says which failure of the system it was, beside the text the user sees.
TEST_F(IniFileOnOwnDisk, AFailedWriteCarriesTheSystemsCause)
{
    struct Case {
        const char* what;
        std::function<std::string()> prepare; // returns the profile's path
        int code;
    };
    const Case cases[] = {
        {"full disk",
         [&] {
             const std::string path = m_disk.file("full.ini");
             writeBytes(path, "[a]\r\n" + std::string(30 * 1024, ';') + "\r\n");
             return path;
         },
         ENOSPC},
        {"read-only file",
         [&] {
             const std::string path = m_disk.file("ro.ini");
             writeBytes(path, "[a]\r\n");
             ::chmod(path.c_str(), 0444);
             return path;
         },
         EACCES},
    };
    for (const auto& c : cases) {
        const std::string path = c.prepare();
        try {
            writeText(path, "a", "big", std::string(40 * 1024, 'x'));
            ADD_FAILURE() << c.what << ": the write went through";
        } catch (const ProfileWriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path) << c.what;
            ASSERT_TRUE(e.cause().has_value()) << c.what;
            EXPECT_EQ(e.cause()->code, static_cast<std::uint32_t>(c.code)) << c.what;
            EXPECT_FALSE(e.cause()->message.empty()) << c.what;
        }
    }
}

TEST_F(IniFileOnOwnDisk, ReadOnlyDiskRefusesWritesAndStillReads)
{
    const std::string path = m_disk.file("p.ini");
    writeBytes(path, "[a]\r\nk=v\r\n");
    ASSERT_EQ(::mount(nullptr, m_disk.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    EXPECT_EQ(readText(path, "a", "k", ""), "v");
    expectWriteFails(
        path, [&] { writeText(path, "a", "k", "w"); }, "read-only disk");
    expectWriteFails(
        m_disk.file("new.ini"), [&] { writeText(m_disk.file("new.ini"), "a", "k", "w"); },
        "new file on read-only disk");
}

// A profile in a folder that takes no new files is rewritten where it stands; on a full disk
// that fails before the old text is touched.
TEST_F(IniFileOnOwnDisk, FullDiskLeavesAProfileRewrittenInPlaceWhole)
{
    if (::geteuid() != 0 || testsupport::runUnprivileged([] { return 0; }) != 0)
        GTEST_SKIP() << "SKIPPED: needs root, to write as an unprivileged user";
    const std::string path = m_disk.file("p.ini");
    std::string original = "[a]\r\nk=v\r\n";
    while (original.size() < 20 * 1024)
        original += "channel" + std::to_string(original.size()) + "=name\r\n";
    writeBytes(path, original);
    testsupport::handOver(m_disk.path());
    ASSERT_EQ(::chmod(m_disk.path().c_str(), 0555), 0);

    // 1: the big write got through; 2: the small one failed.
    const int result = testsupport::runUnprivileged([&] {
        try {
            writeText(path, "a", "big", std::string(60 * 1024, 'x'));
            return 1;
        } catch (const ProfileWriteError&) {
        }
        try {
            writeText(path, "a", "small", "1");
        } catch (const ProfileWriteError&) {
            return 2;
        }
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readBytes(path), original + "small=1\r\n");
    EXPECT_EQ(m_disk.entries(), std::vector<std::string>{"p.ini"});
}
