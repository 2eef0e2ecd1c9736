#include "ui/StringList.h"
#include "ui/Text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST(StringList, IndexesOutsideTheListAreRefusedWithTheListText)
{
    struct Case {
        const char* what;
        std::function<void(ui::StringList&)> act;
        const char* error;
    };
    const Case cases[] = {
        {"at", [](ui::StringList& l) { (void)l.at(2); }, "List index out of bounds (2)"},
        {"at -1", [](ui::StringList& l) { (void)l.at(-1); }, "List index out of bounds (-1)"},
        {"set", [](ui::StringList& l) { l.set(5, "x"); }, "List index out of bounds (5)"},
        {"insert", [](ui::StringList& l) { l.insert(3, "x"); }, "List index out of bounds (3)"},
        {"remove", [](ui::StringList& l) { l.remove(2); }, "List index out of bounds (2)"},
        {"exchange", [](ui::StringList& l) { l.exchange(0, 2); }, "List index out of bounds (2)"},
        {"move", [](ui::StringList& l) { l.move(-1, 0); }, "List index out of bounds (-1)"},
    };
    for (const Case& c : cases) {
        ui::StringList list({"a", "b"});
        int changes = 0;
        list.OnChange = [&](ui::Persistent&) { ++changes; };
        try {
            c.act(list);
            ADD_FAILURE() << c.what << " did not fail";
        } catch (const ui::ListIndexError& e) {
            EXPECT_STREQ(e.what(), c.error) << c.what;
        }
        EXPECT_EQ(list.lines(), (Lines{"a", "b"})) << c.what;
        EXPECT_EQ(changes, 0) << c.what;
    }
}

TEST(StringList, EditsChangeTheLinesAndRaiseOneChangeEach)
{
    ui::StringList list;
    int changes = 0;
    list.OnChange = [&](ui::Persistent&) { ++changes; };
    EXPECT_EQ(list.add("Alpha"), 0);
    list.add("Bravo");
    list.insert(0, "Lobby");
    list.exchange(1, 2);
    list.move(0, 2);
    EXPECT_EQ(list.lines(), (Lines{"Bravo", "Alpha", "Lobby"}));
    list.remove(1);
    list.set(0, "Charlie");
    EXPECT_EQ(list.lines(), (Lines{"Charlie", "Lobby"}));
    EXPECT_EQ(changes, 7);
    list.beginUpdate();
    list.clear();
    list.add("one");
    list.add("two");
    EXPECT_EQ(changes, 7);
    list.endUpdate();
    EXPECT_EQ(changes, 8);
    list.beginUpdate();
    list.endUpdate();
    EXPECT_EQ(changes, 8);
}

TEST(StringList, TextSplitsAtEveryKindOfLineEnd)
{
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\ntwo\r\n", {"one", "two"}},
        {"one\ntwo\rthree", {"one", "two", "three"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},
        {std::string("nul\0in", 6), {std::string("nul\0in", 6)}},
    };
    for (const Case& c : cases) {
        ui::StringList list({"old"});
        list.setText(c.text);
        EXPECT_EQ(list.lines(), c.lines) << c.text;
    }
    EXPECT_EQ(ui::StringList({"a", "b"}).text(), "a\r\nb\r\n");
}

TEST(StringList, IndexOfIgnoresLetterCaseUnlessAskedNotTo)
{
    const ui::StringList list({"English", "Deutsch", "english"});
    EXPECT_EQ(list.indexOf("ENGLISH"), 0);
    EXPECT_EQ(list.indexOf("english", ui::LetterCase::Respect), 2);
    EXPECT_EQ(list.indexOf("Français"), -1);
}

TEST(FrameworkText, AnInstalledLoaderReplacesTheBuiltInTexts)
{
    std::vector<std::uint32_t> asked;
    auto previous = ui::setFrameworkTextLoader([&](std::uint32_t id, const std::string& builtIn) {
        asked.push_back(id);
        return id == ui::SListIndexError ? std::string("Index %d ausserhalb") : builtIn;
    });
    EXPECT_STREQ(ui::ListIndexError(7).what(), "Index 7 ausserhalb");
    EXPECT_EQ(ui::frameworkText(ui::SInvalidPropertyElement), "Invalid property element: %s");
    EXPECT_EQ(asked,
              (std::vector<std::uint32_t>{ui::SListIndexError, ui::SInvalidPropertyElement}));
    ui::setFrameworkTextLoader(previous);
    EXPECT_STREQ(ui::ListIndexError(7).what(), "List index out of bounds (7)");
}

TEST(Text, FormatReplacesOnlyTheFirstPlaceholder)
{
    EXPECT_EQ(ui::formatText("Unable to write to %s", "C:\\a%d.ini"),
              "Unable to write to C:\\a%d.ini");
    EXPECT_EQ(ui::formatText("100% of %d", 3), "100% of 3");
    EXPECT_EQ(ui::formatText("no placeholder", 3), "no placeholder");
    EXPECT_TRUE(ui::sameText("TMainForm", "tmainform"));
    EXPECT_FALSE(ui::sameText("\xe9", "\xc9")); // only ASCII letters fold
    EXPECT_EQ(ui::upperCase("Alpha /file c:\\x\xe9"), "ALPHA /FILE C:\\X\xe9");
}

} // namespace

#include "ui/OpenDialog.h"

namespace {

TEST(OpenDialog, TheFilterBecomesTheSystemsNulSeparatedList)
{
    using namespace std::string_literals;
    struct Case {
        std::string filter;
        std::string system;
    };
    const Case cases[] = {
        {"Ini Files|*.ini|All Files|*.*", "Ini Files\0*.ini\0All Files\0*.*\0\0"s},
        {"Wave Files|*.wav", "Wave Files\0*.wav\0\0"s},
        {"Odd", "Odd\0\0\0"s},
        {"", "\0\0"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::OpenDialog::systemFilter(c.filter), c.system) << c.filter;
    }
}

} // namespace
