#include "base/Paths.h"

#include <gtest/gtest.h>

#include <string>

using base::PathStyle;

TEST(Paths, FolderFileNameAndPrefixOfEveryFormOfPath)
{
    struct Case {
        std::string path;
        std::string folder;
        std::string prefix;
        std::string name;
    };
    const Case cases[] = {
        {"C:\\Games\\Kestrion\\kestrion.ini", "C:\\Games\\Kestrion", "C:\\Games\\Kestrion\\",
         "kestrion.ini"},
        {"C:/Games/kestrion.ini", "C:/Games", "C:/Games/", "kestrion.ini"},
        {"C:\\kestrion.ini", "C:\\", "C:\\", "kestrion.ini"},
        {"\\kestrion.ini", "\\", "\\", "kestrion.ini"},
        {"C:kestrion.ini", "C:.", "C:", "kestrion.ini"},
        {"kestrion.ini", ".", "", "kestrion.ini"},
        {"..\\team.ini", "..", "..\\", "team.ini"},
        {"\\\\server\\share\\team.ini", "\\\\server\\share", "\\\\server\\share\\", "team.ini"},
        {"C:\\Games\\", "C:\\Games", "C:\\Games\\", ""},
        {"", ".", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(base::folderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(base::folderPrefixOf(c.path), c.prefix) << c.path;
        EXPECT_EQ(base::fileNameOf(c.path), c.name) << c.path;
        // A file name appended to the prefix gives the path back.
        EXPECT_EQ(base::folderPrefixOf(c.path) + base::fileNameOf(c.path), c.path) << c.path;
    }

    // POSIX paths separate at '/' alone.
    EXPECT_EQ(base::folderOf("/home/me/kestrion.ini", PathStyle::Posix), "/home/me");
    EXPECT_EQ(base::folderOf("/kestrion.ini", PathStyle::Posix), "/");
    EXPECT_EQ(base::folderOf("kestrion.ini", PathStyle::Posix), ".");
    EXPECT_EQ(base::folderOf("/tmp/a\\b.ini", PathStyle::Posix), "/tmp");
}
