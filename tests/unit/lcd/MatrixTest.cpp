#include "lcd/Matrix.h"
#include "LcdTestSupport.h"
#include "lcd/GlyphArt.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using lcd::builtinTables;
using lcd::GlyphTable;
using lcdtest::tableGlyph;

namespace {

const GlyphTable& table(std::string_view name)
{
    for (const auto& t : builtinTables())
        if (t.name == name)
            return t;
    throw std::runtime_error("no table " + std::string(name));
}

bool glyphBlank(const GlyphTable& t, int code)
{
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c)
            if (t.lit(code, r, c))
                return false;
    return true;
}

bool rowLit(const GlyphTable& t, int code, int row)
{
    for (int c = 0; c < t.cols; ++c)
        if (t.lit(code, row, c))
            return true;
    return false;
}

std::string rowsOf(const GlyphTable& t, int code, int from, int to)
{
    std::string glyph = tableGlyph(t, code);
    return glyph.substr(std::size_t(from) * (t.cols + 1),
                        std::size_t(to - from) * (t.cols + 1) - 1);
}

} // namespace

// The tables' sizes and the values of their dots are fixed when the program is compiled (see
// Matrix.cpp and GlyphArt.h); what is left to check is what each table says it holds.
TEST(Matrix, TablesHaveTheirLayoutsAndRanges)
{
    struct Case {
        std::string_view name;
        int cols, rows, first, last;
    };
    const Case cases[] = {
        {"5x7 ASCII", 5, 7, 32, 126},   {"5x8 ASCII", 5, 8, 32, 126},
        {"7x9 ASCII", 7, 9, 32, 126},   {"9x12 ASCII", 9, 12, 32, 126},
        {"Hitachi 5x7", 5, 7, 32, 223}, {"Hitachi 5x10", 5, 10, 194, 223},
        {"DOS 5x7", 5, 7, 0, 255},
    };
    for (const auto& c : cases) {
        const GlyphTable& t = table(c.name);
        EXPECT_EQ(t.cols, c.cols) << c.name;
        EXPECT_EQ(t.rows, c.rows) << c.name;
        EXPECT_EQ(t.first, c.first) << c.name;
        EXPECT_EQ(t.last, c.last) << c.name;
    }
}

TEST(Matrix, TellingGlyphsAreExact)
{
    struct Case {
        std::string_view table;
        int code;
        std::string rows;
    };
    const std::string allUnlit57 = "..... ..... ..... ..... ..... ..... .....";
    const std::string allLit57 = "##### ##### ##### ##### ##### ##### #####";
    const Case cases[] = {
        {"5x7 ASCII", 65, ".###. #...# #...# #...# ##### #...# #...#"},
        {"Hitachi 5x7", 65, ".###. #...# #...# #...# ##### #...# #...#"},
        {"DOS 5x7", 65, ".###. #...# #...# #...# ##### #...# #...#"},
        {"5x7 ASCII", 103, "..... .#### #...# #...# .#### ....# .###."},
        {"5x8 ASCII", 103, "..... ..... .#### #...# #...# .#### ....# .###."},
        {"5x7 ASCII", 92, "..... #.... .#... ..#.. ...#. ....# ....."},
        {"Hitachi 5x7", 92, "#...# .#.#. ##### ..#.. ##### ..#.. ..#.."},
        {"Hitachi 5x7", 126, "..... ..#.. ...#. ##### ...#. ..#.. ....."},
        {"5x7 ASCII", 32, allUnlit57},
        {"Hitachi 5x7", 32, allUnlit57},
        {"DOS 5x7", 32, allUnlit57},
        {"DOS 5x7", 0, allUnlit57},
        {"DOS 5x7", 255, allUnlit57},
        {"Hitachi 5x7", 128, allUnlit57},
        {"Hitachi 5x7", 222, allUnlit57},
        {"Hitachi 5x7", 223, allLit57},
        {"DOS 5x7", 219, allLit57},
        {"Hitachi 5x10", 222, "..... ..... ..... ..... ..... ..... ..... ..... ..... ....."},
        {"Hitachi 5x10", 223, "##### ##### ##### ##### ##### ##### ##### ##### ##### #####"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tableGlyph(table(c.table), c.code), c.rows) << c.table << " code " << c.code;
}

TEST(Matrix, OnlyTheIntendedCodesAreBlank)
{
    struct Case {
        std::string_view table;
        std::set<int> blank;
    };
    const Case cases[] = {
        {"5x7 ASCII", {32}},
        {"5x8 ASCII", {32}},
        {"7x9 ASCII", {32}},
        {"9x12 ASCII", {32}},
        {"Hitachi 5x7", {32, 128, 222}},
        {"Hitachi 5x10", {222}},
        {"DOS 5x7", {0, 32, 255}},
    };
    for (const auto& c : cases) {
        const GlyphTable& t = table(c.table);
        for (int code = t.first; code <= t.last; ++code)
            EXPECT_EQ(glyphBlank(t, code), c.blank.count(code) == 1) << c.table << " code " << code;
    }
}

TEST(Matrix, LowestRowsAreUsedOnlyByDescendingCharacters)
{
    struct Case {
        std::string_view table;
        int row;
        std::set<int> codes;
    };
    const Case cases[] = {
        // The comma, underscore and g moved down; backslash, bar, j, q and y redrawn.
        {"5x8 ASCII", 7, {',', '\\', '_', 'g', 'j', 'q', 'y', '|'}},
        {"9x12 ASCII",
         11,
         {'(', ')', ',', '?', 'J', 'Q', '[', '\\', ']', '_', 'g', 'j', 'p', 'q', 'y', '|'}},
    };
    for (const auto& c : cases) {
        const GlyphTable& t = table(c.table);
        for (int code = t.first; code <= t.last; ++code)
            EXPECT_EQ(rowLit(t, code, c.row), c.codes.count(code) == 1)
                << c.table << " code " << code;
    }
}

TEST(Matrix, SharedShapesAgreeBetweenTables)
{
    const GlyphTable& ascii = table("5x7 ASCII");
    const GlyphTable& ascii8 = table("5x8 ASCII");
    const GlyphTable& hitachi = table("Hitachi 5x7");
    const GlyphTable& dos = table("DOS 5x7");
    const std::set<int> movedIn5x8 = {',', '\\', '_', 'g', 'j', 'q', 'y', '|'};
    for (int code = 32; code <= 126; ++code) {
        EXPECT_EQ(tableGlyph(dos, code), tableGlyph(ascii, code)) << code;
        if (code != 92 && code != 126) {
            EXPECT_EQ(tableGlyph(hitachi, code), tableGlyph(ascii, code)) << code;
        }
        if (!movedIn5x8.count(code)) {
            EXPECT_EQ(rowsOf(ascii8, code, 0, 8), tableGlyph(ascii, code) + " .....") << code;
        }
    }
    // The three moved down by one row keep their 5 × 7 shape.
    for (int code : {',', '_', 'g'})
        EXPECT_EQ(rowsOf(ascii8, code, 1, 8), tableGlyph(ascii, code)) << code;
}

TEST(Matrix, GlyphsOfATableDifferFromEachOther)
{
    // A repeated glyph is most often a pasted one that was never redrawn. These pairs are the
    // same character in two places of a set.
    const std::set<std::pair<int, int>> alike = {
        {32, 128}, {32, 222}, {128, 222}, {45, 144}, // Hitachi blanks; dash, long vowel
        {0, 32},   {0, 255},  {32, 255},  {45, 196}, {61, 205}, {124, 179}, // DOS
    };
    for (const auto& t : builtinTables()) {
        std::map<std::string, int> seen;
        for (int code = t.first; code <= t.last; ++code) {
            auto [it, inserted] = seen.emplace(tableGlyph(t, code), code);
            if (!inserted) {
                EXPECT_TRUE(alike.count({it->second, code}))
                    << t.name << ": code " << code << " repeats code " << it->second;
            }
        }
    }
}

TEST(Matrix, BuiltinLookupFollowsEachSet)
{
    using lcd::TDotMatrix;
    const GlyphTable& hitachi = table("Hitachi 5x7");
    const GlyphTable& tall = table("Hitachi 5x10");
    // Hitachi2 draws codes up to 193 from the 5 × 7 table with three unlit rows below, and
    // the 5 × 10 forms from 194 on.
    for (int code : {65, 192, 193, 194, 199, 223}) {
        for (int r = 0; r < 10; ++r) {
            for (int c = 0; c < 5; ++c) {
                bool expected =
                    code >= 194 ? tall.lit(code, r, c) : r < 7 && hitachi.lit(code, r, c);
                EXPECT_EQ(lcd::builtinDotLit(TDotMatrix::Hitachi2, code, r, c), expected)
                    << code << " " << r << " " << c;
            }
        }
    }
    EXPECT_TRUE(rowLit(tall, 199, 9)); // g reaches the last row

    // Each set draws from its own table: a glyph that only that table has, drawn through the
    // set, in the set's own matrix.
    struct Case {
        TDotMatrix set;
        int code;
        std::string rows;
    };
    const Case cases[] = {
        {TDotMatrix::mat5x7, 92, "..... #.... .#... ..#.. ...#. ....# ....."},
        {TDotMatrix::mat5x8, 103, "..... ..... .#### #...# #...# .#### ....# .###."},
        {TDotMatrix::mat7x9, 65,
         "...#... ..#.#.. .#...#. #.....# #.....# ####### #.....# #.....# #.....#"},
        {TDotMatrix::mat9x12, 103,
         "......... ......... ......... ......... .######.# #......## #.......# "
         "#......## .######.# ........# #.......# .#######."},
        {TDotMatrix::Hitachi, 92, "#...# .#.#. ##### ..#.. ##### ..#.. ..#.."},
        {TDotMatrix::dos5x7, 1, "..... .#.#. .#.#. ..... #...# .###. ....."},
    };
    for (const auto& c : cases) {
        const lcd::CharSetShape shape = lcd::charSetShape(c.set);
        std::string rows;
        for (int r = 0; r < shape.rows; ++r) {
            if (r > 0)
                rows += ' ';
            for (int col = 0; col < shape.cols; ++col)
                rows += lcd::builtinDotLit(c.set, c.code, r, col) ? '#' : '.';
        }
        EXPECT_EQ(rows, c.rows) << lcd::kDotMatrixNames[std::size_t(c.set)] << " code " << c.code;
    }
}

TEST(Matrix, MalformedDotArtIsRefused)
{
    using Builder = lcd::GlyphTableBuilder<3, 2, 65, 66>;
    auto build = [](std::string_view art) { return Builder().draw(art).table(); };
    const auto good = build("65 A\n#.#\n.#.\n\n66 B\n###\n...\n");
    EXPECT_EQ(good[0], 1);
    EXPECT_EQ(good[4], 1);
    EXPECT_EQ(good[6], 1);
    EXPECT_EQ(good[9], 0);
    const char* bad[] = {
        "65\n#.#\n.#.\n",                           // 66 missing
        "65\n#.#\n.#.\n66\n###\n..\n",              // short row
        "65\n#.#\n.#.\n66\n###\n..x\n",             // not a dot
        "65\n#.#\n.#.\n65\n###\n...\n66\n###\n...", // drawn twice
        "64\n#.#\n.#.\n65\n###\n...\n66\n###\n...", // outside the table
        "A\n#.#\n.#.\n66\n###\n...\n",              // no code
        "65\n#.#\n66\n###\n...\n",                  // too few rows
    };
    for (const char* art : bad)
        EXPECT_ANY_THROW(build(art)) << art;
}
