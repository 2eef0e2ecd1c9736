#include "i18n/ResourceStrings.h"

#include "TempDir.h"
#include "i18n/bsCorePolyglot.h"
#include "i18n/bsINIFile.h"

#include "ui/Text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace i18n;
using i18n::test::ScopedWorkingDir;
using i18n::test::TempDir;

namespace {

class MapStringTable : public StringTable {
public:
    explicit MapStringTable(std::map<std::uint16_t, std::string> texts) : m_texts(std::move(texts))
    {
    }
    int load(std::uint16_t id, char* buffer, int size) const override
    {
        auto it = m_texts.find(id);
        return it == m_texts.end() ? 0 : copyToBuffer(it->second, buffer, size);
    }

private:
    std::map<std::uint16_t, std::string> m_texts;
};

} // namespace

TEST(ResourceStrings, FirstMatchingEntryNameInFileOrderGivesTheText)
{
    const std::string section = "[ResourceStrings]\n"
                                "065324='leading zero'\n"
                                "65324_first=' first'\n"
                                "65324_second='second'\n"
                                "65325_Error='Erreur'\n"
                                "65325='later plain'\n"
                                "65326=''\n"
                                " 65296 _spaced = 'spaced'\n"
                                "+65297='signed'\n"
                                "65298=broken'\n"
                                "65327\n";
    auto file = TbsINIFile::fromText(section);
    struct Case {
        std::uint32_t id;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {65324, " first"},     {65325, "Erreur"},
        {65326, ""},           // translated to an empty text: still found
        {65296, "spaced"},     // the number is trimmed
        {65297, std::nullopt}, // signs and leading zeros do not match
        {65298, ""},           // an invalid quoted value decodes to empty, and is found
        {65327, std::nullopt}, // a line without "=" matches nothing
        {65323, std::nullopt}, {24, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findResourceString(*file, c.id), c.text) << c.id;

    // Of two sections named alike, only the later one is searched.
    auto twice = TbsINIFile::fromText(section + "[resourcestrings]\n65323='later section'\n");
    EXPECT_EQ(findResourceString(*twice, 65324), std::nullopt);
    EXPECT_EQ(findResourceString(*twice, 65323), "later section");
}

TEST(ResourceStrings, LoaderOrderLiteralThenTranslationThenBuiltInText)
{
    static const char literal[] = "literal text";
    EXPECT_EQ(LoadResourceString(nullptr), "");
    EXPECT_EQ(LoadResourceString(literalText(literal)), "literal text");
    // Without a core: the built-in texts, with their line breaks.
    EXPECT_EQ(LoadResourceString(msg::SErrorCaption), "Error!");
    EXPECT_EQ(LoadResourceString(msg::SStartClientFailed),
              "Unable to start RW.\r\nPlease check that it is installed correctly\r\nand that "
              "the App Path Registry Entry for roger.exe exists.");
    EXPECT_EQ(LoadResourceString(ResStringRec{12}), "");

    TempDir dir, cwd;
    dir.write("French.lng", "[ResourceStrings]\n"
                            "65325='Erreur !'\n"
                            "65296=''\n"
                            "65439='Element invalide : %s'\n"
                            "65414='Indice %d hors limites, %s %d'\n"
                            "12='twelve'\n");
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    core.setLangsDir(dir.dir());
    ASSERT_EQ(core.CurrentLang(), "French");

    EXPECT_EQ(LoadResourceString(msg::SErrorCaption), "Erreur !");
    EXPECT_EQ(LoadResourceString(msg::SStandBy), "");
    EXPECT_EQ(LoadResourceString(msg::SHide), "&Hide");
    EXPECT_EQ(LoadResourceString(ResStringRec{12}), "twelve");
    EXPECT_EQ(LoadResourceString(literalText(literal)), "literal text");
    // The framework's texts pass through the same loader, and extra places stay empty.
    EXPECT_EQ(ui::frameworkText(ui::SInvalidPropertyElement), "Element invalide : %s");
    EXPECT_EQ(formatMessage(msg::SListIndexError, {"7"}), "Indice 7 hors limites,  ");
    EXPECT_EQ(ui::ListIndexError(3).what(), std::string("Indice 3 hors limites, %s %d"));

    core.setTranslateResourceStrings(false);
    EXPECT_EQ(LoadResourceString(msg::SErrorCaption), "Error!");
    EXPECT_EQ(LoadResourceString(ResStringRec{12}), "");
    EXPECT_EQ(ui::frameworkText(ui::SInvalidPropertyElement), "Invalid property element: %s");
    core.setTranslateResourceStrings(true);
    EXPECT_EQ(LoadResourceString(msg::SErrorCaption), "Erreur !");
}

TEST(ResourceStrings, BuiltInTextsAreCutTo1023Characters)
{
    const std::string exact(1023, 'a');
    const std::string longer = std::string(1023, 'b') + "cut off";
    MapStringTable table({{1, exact}, {2, longer}, {3, ""}});
    ScopedStringTable scoped(table);
    EXPECT_EQ(LoadResourceString(ResStringRec{1}), exact);
    EXPECT_EQ(LoadResourceString(ResStringRec{2}), std::string(1023, 'b'));
    EXPECT_EQ(LoadResourceString(ResStringRec{3}), "");
    EXPECT_EQ(LoadResourceString(ResStringRec{4}), "");
}

TEST(ResourceStrings, FormatFillsPlacesInTurn)
{
    struct Case {
        std::string pattern;
        std::string text;
    };
    const Case cases[] = {
        {"Invalid property element: %s", "Invalid property element: A"},
        {"%d and %s", "A and B"},
        {"100%% %s", "100% A"},
        {"%s %s %s", "A B "},
        {"%x %", "%x %"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPattern(c.pattern, {"A", "B"}), c.text) << c.pattern;
}

// Several threads look up message texts while the user-interface thread changes the language
// back and forth; every text read must be one of the two languages' texts or the built-in one.
TEST(ResourceStrings, LookupsFromOtherThreadsDuringLanguageChangesAreSafe)
{
    TempDir dir, cwd;
    dir.write("English.lng", "[ResourceStrings]\n65325='Error!'\n65327='Error Detected'\n");
    dir.write("French.lng", "[ResourceStrings]\n65325='Erreur !'\n65327_x='Erreur detectee'\n");
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    core.setLangsDir(dir.dir());

    const std::set<std::string> allowed25 = {"Error!", "Erreur !"};
    const std::set<std::string> allowed27 = {"Error Detected", "Erreur detectee"};
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::atomic<long> lookups{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&] {
            while (!stop.load()) {
                if (!allowed25.count(LoadResourceString(msg::SErrorCaption)) ||
                    !allowed27.count(LoadResourceString(msg::SErrorDetected)))
                    ++bad;
                ++lookups;
            }
        });
    }
    for (int i = 0; i < 300; ++i) {
        core.SelectLang(i % 2 ? "English" : "French");
        if (i % 50 == 0) {
            // A rescan: the working directory holds no languages, then back.
            core.setLangsDir("");
            core.setLangsDir(dir.dir());
        }
    }
    // Keep changing until every reader has done some lookups.
    while (lookups.load() < 1000)
        core.SelectLang(core.CurrentLang() == "French" ? "English" : "French");
    stop = true;
    for (auto& reader : readers)
        reader.join();
    EXPECT_EQ(bad.load(), 0);
}
