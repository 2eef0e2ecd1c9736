#include "i18n/bsCorePolyglot.h"

#include "TempDir.h"
#include "i18n/FileAccess.h"
#include "i18n/ResourceStrings.h"
#include "i18n/bsPolyglotManager.h"

#include "ui/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace i18n;
using i18n::test::readAll;
using i18n::test::ScopedWorkingDir;
using i18n::test::TempDir;

namespace {

// A language file whose message text 65325 names the language, so that a test can tell which
// file is loaded.
std::string languageText(const std::string& name)
{
    return "[ResourceStrings]\n65325='" + name + "'\n";
}

std::string loadedLanguage(const TbsCorePolyglot& core)
{
    return core.FindResourceString(65325).value_or("<none>");
}

std::vector<std::string> langs(const TbsCorePolyglot& core)
{
    std::vector<std::string> names;
    for (int i = 0; i < core.LangsCount(); ++i)
        names.push_back(core.Langs(i));
    return names;
}

// The .lng names of a folder in the order the system lists them, without extension.
std::vector<std::string> listedOrder(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower.size() > 4 && lower.ends_with(".lng"))
            names.push_back(name.substr(0, name.rfind('.')));
    }
    return names;
}

} // namespace

TEST(bsCorePolyglot, CreationLooksInTheWorkingDirectoryAndPrefersEnglish)
{
    struct Case {
        std::vector<std::string> files;
        std::string current;
    };
    const Case cases[] = {
        {{"French.lng", "English.lng", "German.lng"}, "English"},
        {{"French.lng"}, "French"},
        {{}, ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "Language");
        for (const auto& file : c.files)
            dir.write("Language/" + file, languageText(file));
        ScopedWorkingDir cwd(dir.path());

        ASSERT_EQ(TbsCorePolyglot::GetCorePolyglot(), nullptr);
        {
            TbsCorePolyglot core;
            EXPECT_EQ(TbsCorePolyglot::GetCorePolyglot(), &core);
            EXPECT_EQ(core.LangsDir(), ".\\Language\\");
            EXPECT_EQ(core.CurrentLang(), c.current);
            EXPECT_EQ(core.LangsCount(), static_cast<int>(c.files.size()));
            EXPECT_TRUE(core.TranslateResourceStrings());
            EXPECT_EQ(loadedLanguage(core), c.current.empty() ? "<none>" : c.current + ".lng");
            try {
                TbsCorePolyglot second;
                ADD_FAILURE() << "a second core was created";
            } catch (const ui::Error& e) {
                EXPECT_STREQ(e.what(), "Core Multi Lang is single instance class. Please use "
                                       "GetCorePolyglot class function to obtain an instance.");
            }
            EXPECT_EQ(TbsCorePolyglot::GetCorePolyglot(), &core);
        }
        EXPECT_EQ(TbsCorePolyglot::GetCorePolyglot(), nullptr);
    }
}

// The program's core looks beside the program from its first look on: a language file that
// lies in the folder the program was started from (a download folder, a shared one) is never
// listed, let alone applied.
TEST(bsCorePolyglot, WithAProgramFolderRelativeLanguageFoldersAreTakenThereFromTheFirstLook)
{
    TempDir program;
    std::filesystem::create_directory(program.path() / "Language");
    program.write("Language/English.lng", languageText("English"));
    TempDir startedFrom;
    std::filesystem::create_directory(startedFrom.path() / "Language");
    startedFrom.write("Language/English.lng", languageText("planted"));
    startedFrom.write("Language/Planted.lng", languageText("planted"));
    ScopedWorkingDir cwd(startedFrom.path());

    const std::string base = program.path().string() + "/";
    TbsCorePolyglot core(base);
    EXPECT_EQ(core.LangsDir(), base + "Language\\");
    EXPECT_EQ(langs(core), std::vector<std::string>{"English"});
    EXPECT_EQ(loadedLanguage(core), "English");

    for (const char* dir : {".\\Language\\", "./Language", "Language"}) {
        core.setLangsDir(dir);
        EXPECT_EQ(langs(core), std::vector<std::string>{"English"}) << dir;
        EXPECT_EQ(loadedLanguage(core), "English") << dir;
    }
    // A folder on another computer is never looked at, whoever names it: it lists nothing,
    // and the language in use stays as it was.
    for (const char* dir :
         {"\\\\host\\share\\Language\\", "//host/share/Language/", "\\\\?\\UNC\\host\\share\\"}) {
        core.setLangsDir(dir);
        EXPECT_EQ(core.LangsCount(), 0) << dir;
        EXPECT_EQ(loadedLanguage(core), "English") << dir;
    }
}

TEST(bsCorePolyglot, ListsLanguageFilesInSystemOrderMatchingTheExtensionInAnyCase)
{
    TempDir dir;
    for (const char* file : {"Zulu.lng", "alpha.LNG", "Mixed.Lng", "two.dots.lng", "notes.txt",
                             "trail.lngx", "lng", ".lng", "Middle.lng"})
        dir.write(file, languageText(file));
    std::filesystem::create_directory(dir.path() / "Folder.lng");
    TempDir cwd;
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    core.setLangsDir(dir.dir());

    auto expected = listedOrder(dir.path());
    // ".lng" alone names no language.
    expected.erase(std::remove(expected.begin(), expected.end(), ""), expected.end());
    EXPECT_EQ(langs(core), expected);
    auto sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted,
              (std::vector<std::string>{"Folder", "Middle", "Mixed", "Zulu", "alpha", "two.dots"}));
    try {
        core.Langs(6);
        ADD_FAILURE() << "an index past the end was accepted";
    } catch (const ui::ListIndexError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (6)");
    }
    EXPECT_THROW(core.Langs(-1), ui::ListIndexError);

    // A folder named like a language file is listed; selecting it loads nothing.
    core.SelectLang("Folder");
    EXPECT_EQ(core.CurrentLang(), "Folder");
    EXPECT_EQ(loadedLanguage(core), "<none>");
}

TEST(bsCorePolyglot, SelectionComparesNamesExactlyButFindsThemIgnoringCase)
{
    TempDir dir;
    std::string english = dir.write("English.lng", languageText("English"));
    dir.write("French.lng", languageText("French"));
    TempDir cwd;
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    core.setLangsDir(dir.dir());
    core.SelectLang("English");
    ASSERT_EQ(core.CurrentLang(), "English");

    // Another spelling of the current name loads the file again.
    dir.write("English.lng", languageText("English again"));
    core.SelectLang("english");
    EXPECT_EQ(core.CurrentLang(), "english");
    EXPECT_EQ(loadedLanguage(core), "English again");

    // A name that is not listed changes nothing, reports nothing.
    core.SelectLang("Klingon");
    EXPECT_EQ(core.CurrentLang(), "english");
    // The exact current name changes nothing either: the file is not read again.
    dir.write("English.lng", languageText("not read"));
    core.SelectLang("english");
    EXPECT_EQ(loadedLanguage(core), "English again");

    core.SelectLangOrFirst("Klingon");
    EXPECT_EQ(core.CurrentLang(), "english");
    core.SelectLang("FRENCH");
    EXPECT_EQ(loadedLanguage(core), "French");

    // A language file deleted while it is loaded is not written again when it is released.
    std::filesystem::remove(dir.file("French.lng"));
    core.SelectLang("English");
    EXPECT_FALSE(std::filesystem::exists(dir.file("French.lng")));
    EXPECT_EQ(readAll(english), languageText("not read"));
}

TEST(bsCorePolyglot, WritingLangsDirRescansOnlyForANewFolderAndKeepsTheLanguage)
{
    TempDir first, second, empty, cwd;
    first.write("English.lng", languageText("first English"));
    first.write("French.lng", languageText("first French"));
    second.write("German.lng", languageText("second German"));
    second.write("French.lng", languageText("second French"));
    cwd.write("Cwd.lng", languageText("cwd"));
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    EXPECT_EQ(core.CurrentLang(), "");

    std::string firstDir = first.path().string();
    core.setLangsDir(firstDir); // without the final separator
    EXPECT_EQ(core.LangsDir(), firstDir + "\\");
    core.SelectLang("French");

    // The same folder in other letter case and without "\": nothing is rescanned.
    first.write("Spanish.lng", languageText("first Spanish"));
    std::string upper = firstDir;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    core.setLangsDir(upper);
    EXPECT_EQ(core.LangsDir(), firstDir + "\\");
    EXPECT_EQ(core.LangsCount(), 2);

    // A new folder that holds the language keeps it selected, from the new folder.
    core.setLangsDir(second.dir());
    EXPECT_EQ(core.CurrentLang(), "French");
    EXPECT_EQ(loadedLanguage(core), "second French");

    // A folder without it selects its first language.
    core.setLangsDir(firstDir);
    EXPECT_EQ(core.CurrentLang(), "French");
    core.setLangsDir(second.dir());
    core.SelectLang("German");
    core.setLangsDir(firstDir);
    EXPECT_EQ(core.CurrentLang(), core.Langs(0));

    // A folder without language files: no languages and no current one, but the loaded file
    // stays in use until a language is next selected.
    std::string loaded = loadedLanguage(core);
    core.setLangsDir(empty.dir());
    EXPECT_EQ(core.LangsCount(), 0);
    EXPECT_EQ(core.CurrentLang(), "");
    EXPECT_EQ(loadedLanguage(core), loaded);

    // Empty: the working directory, scanned again on every write.
    core.setLangsDir("");
    EXPECT_EQ(core.LangsDir(), "");
    EXPECT_EQ(langs(core), std::vector<std::string>{"Cwd"});
    EXPECT_EQ(loadedLanguage(core), "cwd");
    cwd.write("Later.lng", languageText("later"));
    core.setLangsDir("");
    EXPECT_EQ(core.LangsCount(), 2);
}

TEST(bsCorePolyglot, AnUnreadableLanguageFileReachesTheCallerAndLeavesNoFileLoaded)
{
    TempDir dir, cwd;
    dir.write("English.lng", languageText("English"));
    std::string big = dir.write("Huge.lng", languageText("Huge"));
    std::filesystem::resize_file(big, TbsINIFile::kMaxFileSize + 1);
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    core.setLangsDir(dir.dir());
    ASSERT_EQ(core.CurrentLang(), "English");

    auto manager = ui::makeComponent<TbsPolyglotManager>(nullptr);
    int translations = 0;
    manager->AfterAllTranslate = [&](ui::Persistent&) { ++translations; };
    EXPECT_THROW(core.SelectLang("Huge"), FileError);
    EXPECT_EQ(core.CurrentLang(), "Huge");
    EXPECT_EQ(loadedLanguage(core), "<none>");
    EXPECT_EQ(translations, 0);
    EXPECT_EQ(std::filesystem::file_size(big), TbsINIFile::kMaxFileSize + 1);

    // The next selection works as usual.
    core.SelectLang("English");
    EXPECT_EQ(loadedLanguage(core), "English");
    EXPECT_EQ(translations, 1);
}

TEST(bsCorePolyglot, AnUnreadableEnglishFileDoesNotKeepTheProgramFromStarting)
{
    TempDir cwd;
    std::filesystem::create_directory(cwd.path() / "Language");
    std::string big = cwd.write("Language/English.lng", languageText("English"));
    std::filesystem::resize_file(big, TbsINIFile::kMaxFileSize + 1);
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    EXPECT_EQ(core.CurrentLang(), "English");
    EXPECT_EQ(loadedLanguage(core), "<none>");
    EXPECT_TRUE(core.TranslateResourceStrings());
}

// Creation selects the first language found, then "English": a first-listed file that cannot
// be read does not keep English from being selected.
TEST(bsCorePolyglot, AnUnreadableFirstLanguageDoesNotKeepEnglishFromBeingSelected)
{
    TempDir cwd;
    const auto folder = cwd.path() / "Language";
    std::vector<std::string> candidates;
    for (char c = 'A'; c <= 'T'; ++c)
        candidates.push_back(std::string(3, c) + ".lng");
    auto first = testsupport::writeFolderListedFirst(
        folder, {{"English.lng", languageText("English")}}, candidates, languageText("first"));
    ASSERT_TRUE(first) << "no name is listed before English.lng";
    std::filesystem::resize_file(folder / *first, TbsINIFile::kMaxFileSize + 1);
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    EXPECT_EQ(core.CurrentLang(), "English");
    EXPECT_EQ(loadedLanguage(core), "English");
    EXPECT_TRUE(core.TranslateResourceStrings());
}
