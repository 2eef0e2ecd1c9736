// Version resources of real files: the program, an executable with a partial resource, one
// without, and files that are no executables or are cut short.

#include "platform/win32/Win32Services.h"

#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace wintest;

namespace {

// The helper's file version (tests/win/platform/PlatformHelper.rc): longer than any fixed
// buffer of a few hundred characters.
std::string helperFileVersion()
{
    std::string text = "9.8.7.6 (a version text longer than any fixed buffer would hold:";
    for (int i = 0; i < 30; ++i)
        text += " kestrion";
    return text + ")";
}

std::string utf16(const std::string& ascii)
{
    std::string wide;
    for (char c : ascii) {
        wide.push_back(c);
        wide.push_back('\0');
    }
    return wide;
}

std::string thisProgram()
{
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

} // namespace

TEST(Win32VersionReader, ReadsTheProgramsVersionAndNotice)
{
    auto& versions = platform::win32DesktopServices().versions;
    TempDir dir;
    const std::string program = exeDir() + "kestrion.exe";
    const std::string image = readFile(program);
    ASSERT_FALSE(image.empty());

    // A read-only copy, and one with a great deal of data appended (as installers and
    // signatures do): both hold the same resource.
    const std::string readOnly = dir.file("read-only kestrion.exe");
    ASSERT_TRUE(writeFile(readOnly, image));
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string appended = dir.file("appended.exe");
    ASSERT_TRUE(writeFile(appended, image + std::string(16 << 20, '\x5A')));

    for (const std::string& path : {program, readOnly, appended}) {
        platform::VersionStrings strings = versions.read(path);
        EXPECT_GE(strings.resourceSize, 1u) << path;
        EXPECT_EQ(strings.fileVersion, std::optional<std::string>("2.2.3.3")) << path;
        ASSERT_TRUE(strings.legalCopyright.has_value()) << path;
        EXPECT_NE(strings.legalCopyright->find("Quorbit"), std::string::npos)
            << *strings.legalCopyright;
        // What kestrion-cli press tells Kestrion's windows by.
        EXPECT_EQ(strings.productName, std::optional<std::string>("Kestrion")) << path;
    }
}

TEST(Win32VersionReader, AbsentValuesAndUnreadableFilesAreReportedAsAbsent)
{
    auto& versions = platform::win32DesktopServices().versions;
    TempDir dir;
    const std::string image = readFile(exeDir() + "kestrion.exe");
    ASSERT_TRUE(writeFile(dir.file("headers only.exe"), image.substr(0, 1024)));
    // A download broken off inside the version resource.
    std::size_t versionAt = image.find(utf16("VS_VERSION_INFO"));
    ASSERT_NE(versionAt, std::string::npos);
    ASSERT_TRUE(writeFile(dir.file("cut short.exe"), image.substr(0, versionAt + 40)));
    ASSERT_TRUE(writeFile(dir.file("text.exe"), "MZ this is no program\r\n"));
    ASSERT_TRUE(writeFile(dir.file("empty.exe"), ""));
    ASSERT_TRUE(CreateDirectoryA(dir.file("folder.exe").c_str(), nullptr));

    struct Case {
        std::string path;
        bool hasResource;
        std::optional<std::string> fileVersion;
    };
    const Case cases[] = {
        {exeDir() + "platform_helper.exe", true, helperFileVersion()},
        {thisProgram(), false, std::nullopt},
        {dir.file("headers only.exe"), false, std::nullopt},
        {dir.file("cut short.exe"), false, std::nullopt},
        {dir.file("text.exe"), false, std::nullopt},
        {dir.file("empty.exe"), false, std::nullopt},
        {dir.file("folder.exe"), false, std::nullopt},
        {dir.file("missing.exe"), false, std::nullopt},
        {"", false, std::nullopt},
    };
    for (const auto& c : cases) {
        platform::VersionStrings strings = versions.read(c.path);
        EXPECT_EQ(strings.resourceSize >= 1, c.hasResource) << c.path;
        EXPECT_EQ(strings.fileVersion, c.fileVersion) << c.path;
        EXPECT_EQ(strings.legalCopyright, std::nullopt) << c.path;
        EXPECT_EQ(strings.productName,
                  c.hasResource ? std::optional<std::string>("Kestrion test helper") : std::nullopt)
            << c.path;
    }
}
