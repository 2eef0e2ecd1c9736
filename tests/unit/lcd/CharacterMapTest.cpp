// What each character set draws for the Windows-1252 text of the display: the letter itself
// where the set has it, at the set's own code; otherwise the letter without its mark.

#include "lcd/CharacterMap.h"
#include "lcd/Matrix.h"

#include <gtest/gtest.h>

#include <string>

using lcd::TDotMatrix;

namespace {

constexpr TDotMatrix kAllSets[] = {TDotMatrix::mat5x7,  TDotMatrix::mat5x8,    TDotMatrix::mat7x9,
                                   TDotMatrix::mat9x12, TDotMatrix::Hitachi,   TDotMatrix::Hitachi2,
                                   TDotMatrix::dos5x7,  TDotMatrix::CustomFont};

// One character: what the ASCII sets draw, and the code the DOS set and the Hitachi sets
// draw it at (-1: they have no glyph of their own for it and draw the plain form too).
struct Row {
    unsigned char character;
    const char* plain;
    int dos;
    int hitachi;
};

std::string expectedCodes(TDotMatrix set, const Row& row)
{
    switch (set) {
    case TDotMatrix::CustomFont: return std::string(1, char(row.character));
    case TDotMatrix::dos5x7:
        if (row.dos >= 0)
            return std::string(1, char(row.dos));
        break;
    case TDotMatrix::Hitachi:
    case TDotMatrix::Hitachi2:
        if (row.hitachi >= 0)
            return std::string(1, char(row.hitachi));
        break;
    default: break;
    }
    return row.plain;
}

void expectRows(std::initializer_list<Row> rows)
{
    for (const Row& row : rows) {
        for (TDotMatrix set : kAllSets) {
            const std::string got =
                lcd::displayCodes(set, std::string(1, char(row.character)), 255);
            EXPECT_EQ(got, expectedCodes(set, row))
                << "character 0x" << std::hex << int(row.character) << " in set "
                << lcd::kDotMatrixNames[std::size_t(set)];
            if (set == TDotMatrix::CustomFont)
                continue;
            // What a built-in set is given, it draws: nothing is clamped to another glyph,
            // and no plain form uses the two ASCII codes the Hitachi sets draw otherwise.
            const lcd::CharSetShape shape = lcd::charSetShape(set);
            for (char c : got) {
                const int code = static_cast<unsigned char>(c);
                EXPECT_GE(code, shape.first) << int(row.character);
                EXPECT_LE(code, shape.last) << int(row.character);
                // The small tilde is a tilde; the yen sign is the Hitachi sets' code 92.
                if (row.character != 0x98 && code != row.hitachi) {
                    EXPECT_NE(code, '\\') << int(row.character);
                    EXPECT_NE(code, '~') << int(row.character);
                }
            }
        }
    }
}

} // namespace

TEST(CharacterMap, EveryLetterFromC0ToFFInEverySet)
{
    expectRows({
        {0xC0, "A", -1, -1},    {0xC1, "A", -1, -1},    {0xC2, "A", -1, -1},
        {0xC3, "A", -1, -1},    {0xC4, "A", 0x8E, -1},  {0xC5, "A", 0x8F, -1},
        {0xC6, "AE", 0x92, -1}, {0xC7, "C", 0x80, -1},  {0xC8, "E", -1, -1},
        {0xC9, "E", 0x90, -1},  {0xCA, "E", -1, -1},    {0xCB, "E", -1, -1},
        {0xCC, "I", -1, -1},    {0xCD, "I", -1, -1},    {0xCE, "I", -1, -1},
        {0xCF, "I", -1, -1},    {0xD0, "D", -1, -1},    {0xD1, "N", 0xA5, -1},
        {0xD2, "O", -1, -1},    {0xD3, "O", -1, -1},    {0xD4, "O", -1, -1},
        {0xD5, "O", -1, -1},    {0xD6, "O", 0x99, -1},  {0xD7, "x", -1, -1}, // multiplication
        {0xD8, "O", -1, -1},    {0xD9, "U", -1, -1},    {0xDA, "U", -1, -1},
        {0xDB, "U", -1, -1},    {0xDC, "U", 0x9A, -1},  {0xDD, "Y", -1, -1},
        {0xDE, "Th", -1, -1},   {0xDF, "ss", 0xE1, -1}, // sharp s: the Hitachi beta is Greek
        {0xE0, "a", 0x85, -1},  {0xE1, "a", 0xA0, -1},  {0xE2, "a", 0x83, -1},
        {0xE3, "a", -1, -1},    {0xE4, "a", 0x84, 193}, {0xE5, "a", 0x86, -1},
        {0xE6, "ae", 0x91, -1}, {0xE7, "c", 0x87, -1},  {0xE8, "e", 0x8A, -1},
        {0xE9, "e", 0x82, -1},  {0xEA, "e", 0x88, -1},  {0xEB, "e", 0x89, -1},
        {0xEC, "i", 0x8D, -1},  {0xED, "i", 0xA1, -1},  {0xEE, "i", 0x8C, -1},
        {0xEF, "i", 0x8B, -1},  {0xF0, "d", -1, -1},    {0xF1, "n", 0xA4, 206},
        {0xF2, "o", 0x95, -1},  {0xF3, "o", 0xA2, -1},  {0xF4, "o", 0x93, -1},
        {0xF5, "o", -1, -1},    {0xF6, "o", 0x94, 207}, {0xF7, "/", 0xF6, 221}, // division
        {0xF8, "o", -1, -1},    {0xF9, "u", 0x97, -1},  {0xFA, "u", 0xA3, -1},
        {0xFB, "u", 0x96, -1},  {0xFC, "u", 0x81, 213}, {0xFD, "y", -1, -1},
        {0xFE, "th", -1, -1},   {0xFF, "y", 0x98, -1},
    });
}

TEST(CharacterMap, LettersAndSignsBelowC0ThatTranslationsAndNamesUse)
{
    expectRows({
        {0x8A, "S", -1, -1},    {0x9A, "s", -1, -1},    {0x8C, "OE", -1, -1},
        {0x9C, "oe", -1, -1},   {0x8E, "Z", -1, -1},    {0x9E, "z", -1, -1},
        {0x9F, "Y", -1, -1},    {0x83, "f", 0x9F, -1},  {0x80, "EUR", -1, -1},
        {0x92, "'", -1, -1},    {0x93, "\"", -1, -1},   {0x96, "-", -1, -1},
        {0x97, "-", -1, -1},    {0x85, "...", -1, -1},  {0x95, "*", 0x07, -1},
        {0xA0, " ", 0xFF, -1}, // the no-break space French puts before ! and :
        {0xA1, "!", 0xAD, -1},  {0xBF, "?", 0xA8, -1},  {0xAB, "\"", 0xAE, -1},
        {0xBB, "\"", 0xAF, -1}, {0xAA, "a", 0xA6, -1},  {0xBA, "o", 0xA7, -1},
        {0xB0, "o", 0xF8, -1},  {0xA3, "L", 0x9C, 205}, {0xA2, "c", 0x9B, 204},
        {0xA5, "Y", 0x9D, 92},  {0xB5, "u", 0xE6, 196}, {0xB7, ".", 0xFA, 133},
        {0xA7, "S", 0x15, -1},  {0xAD, "", -1, -1}, // the soft hyphen takes no cell
        {0x98, "~", -1, -1},
    });
}

TEST(CharacterMap, AsciiAndUndefinedCodesStayAsTheyAre)
{
    const std::string ascii = "\x01\r\n Az~\\\x7f";
    const std::string undefined = "\x81\x8d\x8f\x90\x9d";
    for (TDotMatrix set : kAllSets) {
        EXPECT_EQ(lcd::displayCodes(set, ascii, 255), ascii);
        EXPECT_EQ(lcd::displayCodes(set, undefined, 255), undefined);
    }
}

TEST(CharacterMap, SpeltOutLettersShiftTheRestAndStopAtTheLimit)
{
    struct Case {
        TDotMatrix set;
        std::string text;
        std::size_t limit;
        std::string codes;
    };
    const Case cases[] = {
        {TDotMatrix::mat5x7,
         "Stra\xDF"
         "e",
         255, "Strasse"},
        {TDotMatrix::dos5x7,
         "Stra\xDF"
         "e",
         255,
         "Stra\xE1"
         "e"},
        {TDotMatrix::mat5x7,
         "\xC9quipe \xDC"
         "ber",
         255, "Equipe Uber"},
        {TDotMatrix::dos5x7,
         "\xC9quipe \xDC"
         "ber",
         255,
         "\x90quipe \x9A"
         "ber"},
        {TDotMatrix::Hitachi,
         "M\xFC"
         "ller \xC4"
         "rger",
         255, "M\xD5ller Arger"},
        {TDotMatrix::mat5x7, "\xC6\xC6\xC6", 5, "AEAEA"}, // cut inside the last letter
        {TDotMatrix::mat5x7, std::string(300, 'x'), 255, std::string(255, 'x')},
        {TDotMatrix::mat5x7, std::string(200, '\xDF'), 255, std::string(255, 's')},
        {TDotMatrix::mat5x7, "", 255, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lcd::displayCodes(c.set, c.text, c.limit), c.codes) << c.text;
}
