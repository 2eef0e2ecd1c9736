#include "profile/IniDocument.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

using profile::IniDocument;
using namespace std::string_literals;

namespace {

std::optional<std::string> valueOf(const IniDocument& doc, std::string_view section,
                                   std::string_view key)
{
    auto v = doc.value(section, key);
    if (!v)
        return std::nullopt;
    return std::string(*v);
}

} // namespace

TEST(IniDocument, ReadsFollowTheProfileFileRules)
{
    struct Case {
        const char* what;
        std::string file;
        std::string section;
        std::string key;
        std::optional<std::string> expected;
    };
    const std::string sample = "[options]\r\nsounds=1\r\n[keys]\r\nchannel_up=107\r\n";
    const Case cases[] = {
        {"CR LF lines", sample, "keys", "channel_up", "107"},
        {"LF-only lines", "[a]\nk=v\n[b]\nx=1\n", "b", "x", "1"},
        {"CR-only lines", "[a]\rk=v\r[b]\rx=1", "b", "x", "1"},
        {"no final line break", "[a]\r\nk=last", "a", "k", "last"},
        {"section name in capitals", sample, "KEYS", "channel_up", "107"},
        {"key with a capital", sample, "keys", "Channel_Up", "107"},
        {"blanks around name and value", "[a]\r\n \t key \t=  v w \t\r\n", "a", "key", "v w"},
        {"VT, FF and Ctrl-Z count as blanks", "[a]\r\nk=\v\fv\x1a\r\n", "a", "k", "v"},
        {"caller's names are trimmed", "[a]\r\nk=v\r\n", " a ", "\tk ", "v"},
        {"quotes are kept by the document", "[a]\r\nk=\"v\"\r\n", "a", "k", "\"v\""},
        {"value holds '='", "[a]\r\nk=v=w\r\n", "a", "k", "v=w"},
        {"empty value", "[a]\r\nk=\r\n", "a", "k", ""},
        {"absent key", sample, "keys", "channel_down", std::nullopt},
        {"absent section", sample, "host", "address", std::nullopt},
        {"first of duplicate keys", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "1"},
        {"first of duplicate sections", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n", "a", "k", "1"},
        {"second duplicate section is not searched", "[a]\r\nk=1\r\n[a]\r\nm=2\r\n", "a", "m",
         std::nullopt},
        {"line without '=' reads as absent", "[a]\r\nk\r\n", "a", "k", std::nullopt},
        {"line without '=' hides a later entry", "[a]\r\nk\r\nk=2\r\n", "a", "k", std::nullopt},
        {"comment line is an entry like any", "[a]\r\n;c=1\r\n", "a", ";c", "1"},
        {"blanks inside brackets", "[ sp ]\r\nk=1\r\n", "sp", "k", "1"},
        {"text after the header", "[x]junk\r\nk=1\r\n", "x", "k", "1"},
        {"last ']' closes the name", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
        {"indented header", "  [ind]  \r\nk=1\r\n", "ind", "k", "1"},
        {"'[' without ']' is an entry of the section above", "[x]\r\n[y\r\nk=1\r\n", "x", "k", "1"},
        {"'[' without ']' opens nothing", "[x]\r\n[y\r\nk=1\r\n", "y", "k", std::nullopt},
        {"lines before any header form the nameless section", "top=1\r\n[a]\r\n", "", "top", "1"},
        {"an empty-named header comes after the leading lines", "[a]\r\n[]\r\nk=1\r\n", "", "k",
         std::nullopt},
        {"empty key name", "[a]\r\n=v\r\n", "a", "", "v"},
        {"UTF-8 byte-order mark is skipped", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k", "1"},
        {"NUL ends a value", "[a]\r\nk=v\0w\r\n"s, "a", "k", "v"},
        {"NUL ends a key name", "[a]\r\nx\0y=1\r\n"s, "a", "x", "1"},
        {"8-bit bytes pass unchanged", "[a]\r\nk=\xE9\x80\xFF\xA0\r\n", "a", "k",
         "\xE9\x80\xFF\xA0"},
        {"8-bit names match exactly", "[\xC9]\r\nk=1\r\n", "\xC9", "k", "1"},
        {"blank lines carry no meaning", "\r\n\r\n[a]\r\n\r\n\r\nk=1\r\n\r\n", "a", "k", "1"},
        {"CR CR LF is a line and a blank line", "[a]\r\r\nk=1\r\n", "a", "k", "1"},
    };
    for (const auto& c : cases) {
        IniDocument doc(c.file);
        // The first lookup in a section scans it; the second goes through its index.
        EXPECT_EQ(valueOf(doc, c.section, c.key), c.expected) << c.what;
        EXPECT_EQ(valueOf(doc, c.section, c.key), c.expected) << c.what << " (indexed)";
    }
}

TEST(IniDocument, UneditedDocumentGivesBackItsBytes)
{
    const std::string inputs[] = {
        "",
        "\xEF\xBB\xBF",
        "[a]\r\nk=v",
        "[a]\nk=v\r\n\r[b]\rx\n",
        "\r\r\n\n\r",
        "[a]\r\nk=v\0w\r\n\0\0\0"s,
        "  [ sp ] trailing\r\n  key  =  value  \r\n",
        std::string(1000, '\n'),
        "\xFF\xFE[\x80]\r\n\xE9=\xFF",
    };
    for (const auto& input : inputs) {
        IniDocument doc(input);
        EXPECT_EQ(doc.serialize(), input);
        EXPECT_FALSE(doc.modified());
    }
}

namespace {

struct Set {
    std::string section, key, value;
};
struct Erase {
    std::string section;
};
using Edit = std::variant<Set, Erase>;

std::string applyEdits(std::string file, const std::vector<Edit>& edits)
{
    IniDocument doc(std::move(file));
    for (const auto& edit : edits) {
        if (auto* set = std::get_if<Set>(&edit))
            doc.setValue(set->section, set->key, set->value);
        else
            doc.eraseSection(std::get<Erase>(edit).section);
    }
    return doc.serialize();
}

} // namespace

TEST(IniDocument, WritesReplaceInPlaceAndAddAtTheEndOfTheirSection)
{
    struct Case {
        const char* what;
        std::string file;
        std::vector<Edit> edits;
        std::string expected;
    };
    const Case cases[] = {
        {"a missing file gets section and key", "", {Set{"a", "k", "v"}}, "[a]\r\nk=v\r\n"},
        {"replace keeps the place and the file's spelling of the key",
         "[a]\r\n  Key =  old \r\nz=1\r\n",
         {Set{"a", "KEY", "new"}},
         "[a]\r\nKey=new\r\nz=1\r\n"},
        {"new key goes to the end of its section, not of the file",
         "[a]\r\nk=1\r\n[b]\r\nx=1\r\n",
         {Set{"a", "n", "2"}},
         "[a]\r\nk=1\r\nn=2\r\n[b]\r\nx=1\r\n"},
        {"new key goes before the blank lines that end a section",
         "[a]\r\nk=1\r\n\r\n\r\n[b]\r\n",
         {Set{"a", "n", "2"}},
         "[a]\r\nk=1\r\nn=2\r\n\r\n\r\n[b]\r\n"},
        {"new key after a comment that ends the section",
         "[a]\r\nk=1\r\n; note\r\n[b]\r\n",
         {Set{"a", "n", "2"}},
         "[a]\r\nk=1\r\n; note\r\nn=2\r\n[b]\r\n"},
        {"new keys keep the order of writing",
         "[a]\r\n",
         {Set{"a", "x", "1"}, Set{"a", "y", "2"}, Set{"a", "x", "3"}},
         "[a]\r\nx=3\r\ny=2\r\n"},
        {"new section at the end of the file, after blank lines",
         "[a]\r\nk=1\r\n\r\n",
         {Set{"b", "x", "1"}},
         "[a]\r\nk=1\r\n\r\n[b]\r\nx=1\r\n"},
        {"a file without final line break gets one before a new section",
         "[a]\r\nk=1",
         {Set{"b", "x", "1"}},
         "[a]\r\nk=1\r\n[b]\r\nx=1\r\n"},
        {"a file without final line break gets one before a new key",
         "[a]\r\nk=1",
         {Set{"a", "n", "2"}},
         "[a]\r\nk=1\r\nn=2\r\n"},
        {"a header at the very end without line break",
         "[a]",
         {Set{"a", "k", "1"}},
         "[a]\r\nk=1\r\n"},
        {"a trailing blank line without line break stays last",
         "[a]\r\nk=1\r\n  ",
         {Set{"a", "n", "2"}},
         "[a]\r\nk=1\r\nn=2\r\n  "},
        {"LF-only file: written lines end in CR LF, the rest keep LF",
         "[a]\nk=1\nz=2\n",
         {Set{"a", "k", "9"}, Set{"a", "n", "3"}},
         "[a]\nk=9\r\nz=2\nn=3\r\n"},
        {"CR-only file", "[a]\rk=1\r", {Set{"a", "n", "2"}}, "[a]\rk=1\rn=2\r\n"},
        {"writing the stored value changes nothing",
         "[a]\n k = v \n",
         {Set{"a", "k", "v"}},
         "[a]\n k = v \n"},
        {"a key without '=' gets its value where it stands",
         "[a]\r\nk\r\nz=1\r\n",
         {Set{"a", "k", "5"}},
         "[a]\r\nk=5\r\nz=1\r\n"},
        {"first of duplicate keys is replaced",
         "[a]\r\nk=1\r\nk=2\r\n",
         {Set{"a", "k", "3"}},
         "[a]\r\nk=3\r\nk=2\r\n"},
        {"key only in a duplicate section is added to the first",
         "[a]\r\nk=1\r\n[A]\r\nm=4\r\n",
         {Set{"a", "m", "5"}},
         "[a]\r\nk=1\r\nm=5\r\n[A]\r\nm=4\r\n"},
        {"nameless section: before the first header",
         "top=1\r\n[a]\r\n",
         {Set{"", "n", "2"}},
         "top=1\r\nn=2\r\n[a]\r\n"},
        {"nameless section of a file that starts with a header",
         "[a]\r\n",
         {Set{"", "n", "2"}},
         "n=2\r\n[a]\r\n"},
        {"value written as given, blanks and quotes included",
         "",
         {Set{"a", "k", "  \"x\"  "}},
         "[a]\r\nk=  \"x\"  \r\n"},
        {"names are written trimmed", "", {Set{" a ", " k ", "v"}}, "[a]\r\nk=v\r\n"},
        {"byte-order mark stays in front",
         "\xEF\xBB\xBF",
         {Set{"a", "k", "v"}},
         "\xEF\xBB\xBF[a]\r\nk=v\r\n"},
        {"8-bit bytes written unchanged",
         "",
         {Set{"\xC9t\xE9", "\x80", "\xFF\xA0"}},
         "[\xC9t\xE9]\r\n\x80=\xFF\xA0\r\n"},
        {"lines with NUL bytes survive other edits",
         "[a]\r\nk=v\0w\r\n"s,
         {Set{"a", "n", "1"}},
         "[a]\r\nk=v\0w\r\nn=1\r\n"s},
        {"erase removes header and entries",
         "[a]\r\nk=1\r\n[b]\r\nx=1\r\n[c]\r\n",
         {Erase{"B"}},
         "[a]\r\nk=1\r\n[c]\r\n"},
        {"erase removes the first section of the name; the next one takes its part",
         "[a]\r\nk=1\r\n[b]\r\n[A]\r\nm=3\r\n",
         {Erase{"a"}, Set{"a", "n", "7"}},
         "[b]\r\n[A]\r\nm=3\r\nn=7\r\n"},
        {"erase of the nameless section empties the leading lines",
         "top=1\r\n[a]\r\n[]\r\nq=1\r\n",
         {Erase{""}, Erase{""}},
         "[a]\r\n[]\r\nq=1\r\n"},
        {"erase of an absent section changes nothing", "[a]\r\n", {Erase{"b"}}, "[a]\r\n"},
        {"an erased section comes back at the end",
         "[a]\r\nk=1\r\n[b]\r\nx=1\r\n",
         {Erase{"a"}, Set{"a", "k", "2"}},
         "[b]\r\nx=1\r\n[a]\r\nk=2\r\n"},
        {"erasing the last section leaves the line break before it",
         "[a]\r\nk=1\r\n[b]\r\nx=1",
         {Erase{"b"}},
         "[a]\r\nk=1\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(applyEdits(c.file, c.edits), c.expected) << c.what;
}

// Many edits on one parsed document must give the very bytes that the same edits give when
// each is a single write (parse, edit, serialize); the channel-settings save relies on it.
TEST(IniDocument, EditsInOneDocumentMatchSingleWrites)
{
    const std::string starts[] = {
        "",
        "[a]\r\nk=1\r\n\r\n[b]\r\nx=1",
        "top\n[a]\nk\n\n[A]\nk=2\n[]\nq=1\r",
        "\xEF\xBB\xBF  [ b ]  \r\n\r\n  ",
        "[c]\r\r\n\n[a]",
    };
    const std::string sections[] = {"a", "A", "b", "c", "", "d"};
    const std::string keys[] = {"k", "K", "x", "n", "", "q"};
    const std::string values[] = {"1", "2", "", " v ", "\"q\""};
    std::mt19937 random(20240611);
    auto pick = [&](const auto& options) {
        return options[std::uniform_int_distribution<std::size_t>(0,
                                                                  std::size(options) - 1)(random)];
    };
    for (int round = 0; round < 400; ++round) {
        std::string start = pick(starts);
        IniDocument together(start);
        std::string single = start;
        for (int step = 0; step < 12; ++step) {
            IniDocument once(single);
            if (random() % 5 == 0) {
                std::string section = pick(sections);
                together.eraseSection(section);
                once.eraseSection(section);
            } else {
                std::string section = pick(sections), key = pick(keys), value = pick(values);
                together.setValue(section, key, value);
                once.setValue(section, key, value);
            }
            single = once.serialize();
        }
        ASSERT_EQ(together.serialize(), single) << "round " << round;
    }
}
