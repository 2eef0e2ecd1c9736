#include "i18n/bsINIFile.h"

#include "TempDir.h"
#include "i18n/FileAccess.h"

#include "ui/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace i18n;
using i18n::test::readAll;
using i18n::test::TempDir;

namespace {

// The reader's content as one line per section and entry, for comparing with a golden text.
std::string dump(const TbsINIFile& file)
{
    std::string out;
    for (const auto& section : file.sections()) {
        out += "[" + section.name + "]";
        for (const auto& entry : section.entries)
            out += entry.hasSeparator ? " <" + entry.name + ">=<" + entry.value + ">"
                                      : " <" + entry.value + ">";
        out += "\n";
    }
    return out;
}

} // namespace

TEST(bsINIFile, ReadsLinesSectionsAndEntriesByTheLanguageFileRules)
{
    using namespace std::string_literals;
    struct Case {
        std::string text;
        std::string sections;
    };
    const Case cases[] = {
        {"[A]\r\nx=1\r\n[B]\r\ny=2\r\n", "[A] <x>=<1>\n[B] <y>=<2>\n"},
        {"[A]\rx=1\ry=2", "[A] <x>=<1> <y>=<2>\n"},               // CR alone
        {"[A]\nx=1\n\n\ny=2\n", "[A] <x>=<1> <y>=<2>\n"},         // LF, empty lines
        {"[A]\n\rx=1", "[A] <x>=<1>\n"},                          // LF CR is two line ends
        {"x=0\nloose\n[A]\nx=1", "[A] <x>=<1>\n"},                // before the first section
        {"; comment\n[A]\n ;x=1\n  x = 1 \t\n", "[A] <x>=<1>\n"}, // trimmed, comment
        {"[ A b ]\n", "[A b]\n"},                                 // section name trimmed
        {"[A]\nno separator here\n", "[A] <no separator here>\n"},
        {"[A]\nx=a=b\n=v\n", "[A] <x>=<a=b> <>=<v>\n"},           // the first "=" splits
        {"[A]\nx='q'\n[A]\ny=2", "[A] <x>=<'q'>\n[A] <y>=<2>\n"}, // both sections listed
        {"[A]\nx=1\0[B]\ny=2"s, "[A] <x>=<1>\n"},                 // the text ends at NUL
        {"[A]\nx=caf\xe9\n", "[A] <x>=<caf\xe9>\n"},
        {"[A]\n[\n]\n[]\n", "[A] <[> <]>\n[]\n"},
        {"[A]\nx=1\n[Trunc", "[A] <x>=<1> <[Trunc>\n"}, // cut in a header
        {"", ""},
    };
    for (const auto& c : cases) {
        auto file = TbsINIFile::fromText(c.text);
        EXPECT_EQ(dump(*file), c.sections) << c.text;
        EXPECT_FALSE(file->Modified());
    }
}

TEST(bsINIFile, LookupsIgnoreLetterCaseAndFindTheLaterDuplicate)
{
    const std::string form = "[TMainForm]\n"
                             "Exit1.Caption='E&xit'\n"
                             "Caption=first\n"
                             "no separator\n"
                             "CAPTION=second\n"
                             "Width=$20\n"
                             "Ratio=1.25\n"
                             "Color=clRed\n";
    auto file = TbsINIFile::fromText(form);
    EXPECT_EQ(file->ReadString("TMainForm", "caption", "-"), "second");
    EXPECT_EQ(file->ReadString("TMainForm", "exit1.CAPTION", "-"), "'E&xit'");
    EXPECT_EQ(file->ReadSection("tmainform"),
              (std::vector<std::string>{"Exit1.Caption", "Caption", "", "CAPTION", "Width", "Ratio",
                                        "Color"}));
    // A line without "=" matches nothing, not even its own text.
    EXPECT_EQ(file->ReadString("TMainForm", "no separator", "-"), "-");
    EXPECT_EQ(file->ReadString("TMainForm", "", "none"), "none");
    EXPECT_EQ(file->ReadInteger("TMainForm", "Width", 7), 32);
    EXPECT_EQ(file->ReadInteger("TMainForm", "Color", 7), 7);
    EXPECT_EQ(file->ReadInteger("TMainForm", "Missing", 7), 7);
    EXPECT_DOUBLE_EQ(file->ReadFloat("TMainForm", "Ratio", 9), 1.25);
    EXPECT_DOUBLE_EQ(file->ReadFloat("TMainForm", "Caption", 9), 9);
    EXPECT_EQ(file->ReadSection("Missing"), std::vector<std::string>{});
    EXPECT_EQ(file->ReadString("Missing", "k", "dflt"), "dflt");

    // Of two sections named alike, the later one is found; upper-casing follows the ANSI code
    // page, not only A to Z.
    auto twice = TbsINIFile::fromText(form + "[tmainform]\nOnly=later\n[\xc9t\xe9]\nk=v\n");
    EXPECT_EQ(twice->ReadString("TMAINFORM", "Only", "-"), "later");
    EXPECT_EQ(twice->ReadString("TMainForm", "Caption", "-"), "-");
    EXPECT_EQ(twice->ReadSection("TMainForm"), std::vector<std::string>{"Only"});
    EXPECT_EQ(twice->ReadString("\xe9T\xc9", "K", "-"), "v");
}

TEST(bsINIFile, EditsSetTheModifiedFlagAndUpdateFileWritesCrLf)
{
    TempDir dir;
    std::string path = dir.write("English.lng", "; comment\n[A]\nx=1\nloose\nx=2\n[B]\ny=3\n");
    {
        TbsINIFile file(path);
        EXPECT_FALSE(file.Modified());
        file.WriteString("a", "X", "new"); // replaces the entry lookups find: the later x
        EXPECT_TRUE(file.Modified());
        EXPECT_EQ(file.ReadString("A", "x", "-"), "new");
        file.DeleteKey("A", "x");
        // The earlier duplicate is the one found now.
        EXPECT_EQ(file.ReadString("A", "x", "-"), "1");
        file.WriteString("C", "z", "'zed'");
        file.EraseSection("B");
        file.UpdateFile();
        EXPECT_FALSE(file.Modified());
        EXPECT_EQ(readAll(path), "[A]\r\nx=1\r\nloose\r\n\r\n[C]\r\nz='zed'\r\n\r\n");

        file.DeleteKey("nowhere", "nothing");
        EXPECT_TRUE(file.Modified());
        file.UpdateFile();

        // Text that could not be read back as written is refused.
        for (auto [section, name, value] : {std::tuple{"A\n", "x", "v"},
                                            {"A", "x=y", "v"},
                                            {"A", "x", "v\r\n[B]"},
                                            {"A", "x\r", "v"}}) {
            EXPECT_THROW(file.WriteString(section, name, value), std::invalid_argument) << name;
        }
        EXPECT_FALSE(file.Modified());
    }
    TbsINIFile again(path);
    EXPECT_EQ(again.ReadString("C", "Z", "-"), "'zed'");
}

TEST(bsINIFile, ReleaseWritesBackOnlyAModifiedReader)
{
    TempDir dir;
    ui::headless::HeadlessBackend backend;
    const std::string original = "[A]\nx=1\n";

    // Unmodified: the file is left exactly as it was.
    std::string kept = dir.write("Kept.lng", original);
    {
        TbsINIFile file(kept);
    }
    EXPECT_EQ(readAll(kept), original);

    // Modified and writable: written back.
    std::string edited = dir.write("Edited.lng", original);
    {
        TbsINIFile file(edited);
        file.WriteString("A", "y", "2");
    }
    EXPECT_EQ(readAll(edited), "[A]\r\nx=1\r\ny=2\r\n\r\n");

    // Deleted while loaded and never modified: not created again.
    std::string deleted = dir.write("Deleted.lng", original);
    {
        TbsINIFile file(deleted);
        std::filesystem::remove(deleted);
    }
    EXPECT_FALSE(std::filesystem::exists(deleted));

    // Deleted while loaded after a change: the change is kept in a new file.
    std::string recreated = dir.write("Recreated.lng", original);
    {
        TbsINIFile file(recreated);
        std::filesystem::remove(recreated);
        file.WriteString("A", "x", "3");
    }
    EXPECT_EQ(readAll(recreated), "[A]\r\nx=3\r\n\r\n");

    // Read-only attribute and modified: a notice, and nothing written.
    std::string locked = dir.write("ReadOnly.lng", original);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    {
        TbsINIFile file(locked);
        file.WriteString("A", "x", "changed");
    }
    EXPECT_EQ(readAll(locked), original);
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    EXPECT_EQ(backend.messageBoxes()[0],
              (ui::MessageBoxRequest{"File \"" + locked + "\" is read-only", "",
                                     ui::MessageIcon::None, ui::MessageButtons::Ok}));
}

TEST(bsINIFile, UnreadableAndUnwritableFilesGiveClearErrorsAndLoseNothing)
{
    TempDir dir;
    // A missing file starts empty.
    TbsINIFile missing(dir.file("Missing.lng"));
    EXPECT_TRUE(missing.sections().empty());

    // Oversized: refused with the file's name, not read into memory.
    std::string big = dir.write("Big.lng", "[A]\nx=1\n");
    std::filesystem::resize_file(big, TbsINIFile::kMaxFileSize + 1);
    try {
        TbsINIFile file(big);
        ADD_FAILURE() << "an oversized file was read";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + big + "\". The file is too large.");
    }
    // Exactly at the limit is still read.
    std::filesystem::resize_file(big, TbsINIFile::kMaxFileSize);
    EXPECT_EQ(TbsINIFile(big).ReadString("A", "x", "-"), "1");

    // A file on a file system that nobody, root included, may write: UpdateFile fails with the
    // file's name, keeps the modified flag, and leaves the file as it was.
    const std::string system = "/proc/version";
    ASSERT_TRUE(files::isFile(system));
    std::string before = readAll(system);
    ui::headless::HeadlessBackend backend;
    {
        TbsINIFile file(system);
        file.WriteString("A", "x", "1");
        try {
            file.UpdateFile();
            ADD_FAILURE() << "UpdateFile reported success";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find("Cannot create file \"/proc/version\""),
                      std::string::npos)
                << e.what();
        }
        EXPECT_TRUE(file.Modified());
    }
    EXPECT_EQ(readAll(system), before);
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    EXPECT_EQ(backend.messageBoxes()[0].text, "File \"/proc/version\" is read-only");

    // A new file in a folder that cannot hold one: the release reports the failure.
    backend.clearMessageBoxes();
    {
        TbsINIFile file("/proc/kestrion-no-such-folder/New.lng");
        file.WriteString("A", "x", "1");
    }
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    const std::string& text = backend.messageBoxes()[0].text;
    EXPECT_NE(text.find("Cannot create file \"/proc/kestrion-no-such-folder/New.lng\""),
              std::string::npos)
        << text;
    EXPECT_FALSE(std::filesystem::exists("/proc/kestrion-no-such-folder"));
}
