// The language files shipped with the program name every entry once. The reader looks a name
// up without regard to letter case and, in [ResourceStrings], by the message number before any
// "_"; of two entries alike only one is ever shown, so the other is dead text that a translator
// edits in vain. A section that occurs twice hides the entries of the one that lookups skip.

#include "i18n/AnsiText.h"
#include "i18n/ValueDecoding.h"
#include "i18n/bsINIFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path LanguageFolder = fs::path(KESTRION_SOURCE_DIR) / "resources" / "language";

std::string filePath(const std::string& language)
{
    return (LanguageFolder / (language + ".lng")).string();
}

std::vector<std::string> shippedFiles()
{
    std::vector<std::string> names;
    for (const auto& file : fs::directory_iterator(LanguageFolder))
        names.push_back(file.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The name under which the reader finds an entry: upper-cased, and in [ResourceStrings] the
// message number alone ("65400_SInvalidName" is 65400).
std::string lookupName(const std::string& section, const std::string& entry)
{
    if (i18n::sameText(section, "ResourceStrings"))
        return std::string(i18n::trimBlanks(std::string_view(entry).substr(0, entry.find('_'))));
    return i18n::ansiUpper(entry);
}

// Every section and every entry found more than once: "[SECTION]" for a section, "SECTION: NAME
// = value | value" for an entry, with the values of all its lines in file order.
std::vector<std::string> repeats(const i18n::TbsINIFile& file)
{
    std::vector<std::string> found;
    std::map<std::string, int> sections;
    for (const auto& section : file.sections())
        if (++sections[i18n::ansiUpper(section.name)] == 2)
            found.push_back("[" + i18n::ansiUpper(section.name) + "]");
    for (const auto& section : file.sections()) {
        std::map<std::string, std::vector<std::string>> values;
        std::vector<std::string> order;
        for (const auto& entry : section.entries) {
            if (!entry.hasSeparator || entry.name.empty())
                continue;
            auto& seen = values[lookupName(section.name, entry.name)];
            if (seen.size() == 1)
                order.push_back(lookupName(section.name, entry.name));
            seen.push_back(entry.value);
        }
        for (const auto& name : order) {
            std::string line = i18n::ansiUpper(section.name) + ": " + name + " =";
            for (std::size_t i = 0; i < values[name].size(); ++i)
                line += (i ? " | " : " ") + values[name][i];
            found.push_back(line);
        }
    }
    return found;
}

struct Shipped {
    const char* label; // the test's name: ASCII
    const char* file;  // the file's name without ".lng", as the source tree keeps it (UTF-8)
};

const Shipped ShippedLanguages[] = {
    {"Deutsch", "Deutsch"},
    {"English", "English"},
    {"Espanol", "Espa\xC3\xB1ol"},
    {"Francais", "Fran\xC3\xA7"
                 "ais"},
    {"Italiano", "Italiano"},
};

void PrintTo(const Shipped& shipped, std::ostream* out)
{
    *out << shipped.label;
}

class LanguageFileIds : public testing::TestWithParam<Shipped> {};

} // namespace

// The check itself: what the reader takes for one name is found twice, and nothing else is.
TEST(LanguageFileIdsCheck, FindsWhatTheReaderTakesForOneName)
{
    struct Case {
        const char* what;
        const char* text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"different names", "[TMainForm]\nFile1.Caption='a'\nOpen1.Caption='b'\n", {}},
        {"the same name twice",
         "[TMainForm]\nFile1.Caption='a'\nFile1.Caption='b'\n",
         {"TMAINFORM: FILE1.CAPTION = 'a' | 'b'"}},
        {"names alike but for letter case and blanks",
         "[TMainForm]\nFile1.Caption='a'\n  file1.CAPTION = 'b'\n",
         {"TMAINFORM: FILE1.CAPTION = 'a' | 'b'"}},
        {"three times, reported once",
         "[ResourceStrings]\n65400='a'\n65401='b'\n65400='c'\n65400='d'\n",
         {"RESOURCESTRINGS: 65400 = 'a' | 'c' | 'd'"}},
        {"a message number with and without a suffix",
         "[ResourceStrings]\n65400='a'\n65400_SInvalidName='b'\n",
         {"RESOURCESTRINGS: 65400 = 'a' | 'b'"}},
        {"a suffix counts only in the messages",
         "[TSettingsDlg]\nLabel_1.Caption='a'\nLabel_2.Caption='b'\n",
         {}},
        {"neighbouring message numbers", "[ResourceStrings]\n65327='a'\n65328='b'\n", {}},
        {"the same name in two sections",
         "[TMainForm]\nOkBtn.Caption='a'\n[TSoundsDlg]\n"
         "OkBtn.Caption='b'\n",
         {}},
        {"a section twice",
         "[TSoundsDlg]\nCaption='a'\n[tsoundsdlg]\nOkBtn.Caption='b'\n",
         {"[TSOUNDSDLG]"}},
        {"comments and lines without a name do not count",
         "[TMainForm]\n;File1.Caption='a'\nFile1.Caption='b'\nno entry\nno entry\n",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(repeats(*i18n::TbsINIFile::fromText(c.text)), c.expected);
    }
}

TEST(LanguageFileIdsCheck, TheTableHoldsEveryShippedFile)
{
    std::vector<std::string> listed;
    for (const Shipped& s : ShippedLanguages)
        listed.push_back(s.file);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, shippedFiles());
}

TEST_P(LanguageFileIds, NoSectionAndNoEntryOccursTwice)
{
    const std::string path = filePath(GetParam().file);
    ASSERT_TRUE(fs::is_regular_file(path)) << path;
    i18n::TbsINIFile file(path);
    // The file was read: the three forms' sections and the messages are there.
    for (const char* section : {"TMainForm", "TSettingsDlg", "TSoundsDlg", "ResourceStrings"})
        EXPECT_FALSE(file.ReadSection(section).empty()) << section;

    const std::vector<std::string> found = repeats(file);
    std::string listed;
    for (const auto& line : found)
        listed += "\n  " + line;
    EXPECT_TRUE(found.empty()) << path << " names these more than once:" << listed;
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFileIds, testing::ValuesIn(ShippedLanguages),
                         [](const testing::TestParamInfo<Shipped>& shipped) {
                             return std::string(shipped.param.label);
                         });
