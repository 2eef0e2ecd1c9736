#include "lcd/CharacterMap.h"

#include <array>
#include <cstdint>

namespace lcd {

namespace {

// The plain ASCII form of each Windows-1252 character from 0x80 to 0xFF; nullptr for the
// five undefined codes, which are kept as they are.
// clang-format off
constexpr std::array<const char*, 128> kPlainForms = {
    // 0x80: euro, -, low quote, f with hook, low double quote, ellipsis, dagger, double
    // dagger, circumflex, per mille, S caron, single angle quote, OE, -, Z caron, -
    "EUR", nullptr, ",", "f", "\"", "...", "+", "+", "^", "%", "S", "<", "OE", nullptr, "Z",
    nullptr,
    // 0x90: -, quotes, bullet, en and em dash, small tilde, trade mark, s caron, single angle
    // quote, oe, -, z caron, Y diaeresis
    nullptr, "'", "'", "\"", "\"", "*", "-", "-", "~", "TM", "s", ">", "oe", nullptr, "z", "Y",
    // 0xA0: no-break space, inverted exclamation mark, cent, pound, currency, yen, broken bar,
    // section, diaeresis, copyright, feminine ordinal, left guillemet, not, soft hyphen,
    // registered, macron
    " ", "!", "c", "L", "*", "Y", "|", "S", "\"", "(C)", "a", "\"", "-", "", "(R)", "-",
    // 0xB0: degree, plus-minus, superscripts two and three, acute, micro, pilcrow, middle dot,
    // cedilla, superscript one, masculine ordinal, right guillemet, fractions, inverted
    // question mark
    "o", "+-", "2", "3", "'", "u", "P", ".", ",", "1", "o", "\"", "1/4", "1/2", "3/4", "?",
    // 0xC0: A grave to I diaeresis
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    // 0xD0: Eth, N tilde, O grave to O diaeresis, multiplication, O stroke, U grave to U
    // diaeresis, Y acute, Thorn, sharp s
    "D", "N", "O", "O", "O", "O", "O", "x", "O", "U", "U", "U", "U", "Y", "Th", "ss",
    // 0xE0: a grave to i diaeresis
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    // 0xF0: eth, n tilde, o grave to o diaeresis, division, o stroke, u grave to u
    // diaeresis, y acute, thorn, y diaeresis
    "d", "n", "o", "o", "o", "o", "o", "/", "o", "u", "u", "u", "u", "y", "th", "y",
};
// clang-format on

// A Windows-1252 character and the code a set draws it at.
struct SetCode {
    std::uint8_t character;
    std::uint8_t code;
};

// Code page 437, as the DOS set draws it (its codes 1 to 31 are symbols, among them the
// bullet, the pilcrow and the section sign).
constexpr SetCode kDosCodes[] = {
    {0x83, 0x9F}, {0x95, 0x07}, {0xA0, 0xFF}, {0xA1, 0xAD}, {0xA2, 0x9B}, {0xA3, 0x9C},
    {0xA5, 0x9D}, {0xA7, 0x15}, {0xAA, 0xA6}, {0xAB, 0xAE}, {0xAC, 0xAA}, {0xB0, 0xF8},
    {0xB1, 0xF1}, {0xB2, 0xFD}, {0xB5, 0xE6}, {0xB6, 0x14}, {0xB7, 0xFA}, {0xBA, 0xA7},
    {0xBB, 0xAF}, {0xBC, 0xAC}, {0xBD, 0xAB}, {0xBF, 0xA8}, {0xC4, 0x8E}, {0xC5, 0x8F},
    {0xC6, 0x92}, {0xC7, 0x80}, {0xC9, 0x90}, {0xD1, 0xA5}, {0xD6, 0x99}, {0xDC, 0x9A},
    {0xDF, 0xE1}, {0xE0, 0x85}, {0xE1, 0xA0}, {0xE2, 0x83}, {0xE4, 0x84}, {0xE5, 0x86},
    {0xE6, 0x91}, {0xE7, 0x87}, {0xE8, 0x8A}, {0xE9, 0x82}, {0xEA, 0x88}, {0xEB, 0x89},
    {0xEC, 0x8D}, {0xED, 0xA1}, {0xEE, 0x8C}, {0xEF, 0x8B}, {0xF1, 0xA4}, {0xF2, 0x95},
    {0xF3, 0xA2}, {0xF4, 0x93}, {0xF6, 0x94}, {0xF7, 0xF6}, {0xF9, 0x97}, {0xFA, 0xA3},
    {0xFB, 0x96}, {0xFC, 0x81}, {0xFF, 0x98},
};

// The controller's table as the Hitachi sets hold it (its codes 160 to 255 at 128 to 223).
constexpr SetCode kHitachiCodes[] = {
    {0xA2, 204}, {0xA3, 205}, {0xA5, 92},  {0xB5, 196}, {0xB7, 133},
    {0xE4, 193}, {0xF1, 206}, {0xF6, 207}, {0xF7, 221}, {0xFC, 213},
};

template <std::size_t N>
int codeIn(const SetCode (&codes)[N], unsigned char character)
{
    for (const SetCode& entry : codes)
        if (entry.character == character)
            return entry.code;
    return -1;
}

} // namespace

void appendDisplayCodes(TDotMatrix set, unsigned char character, std::string& codes)
{
    if (character < 0x80 || set == TDotMatrix::CustomFont) {
        codes.push_back(char(character));
        return;
    }
    int code = -1;
    if (set == TDotMatrix::dos5x7)
        code = codeIn(kDosCodes, character);
    else if (set == TDotMatrix::Hitachi || set == TDotMatrix::Hitachi2)
        code = codeIn(kHitachiCodes, character);
    if (code >= 0) {
        codes.push_back(char(code));
        return;
    }
    const char* plain = kPlainForms[character - 0x80];
    if (plain)
        codes += plain;
    else
        codes.push_back(char(character));
}

std::string displayCodes(TDotMatrix set, std::string_view text, std::size_t limit)
{
    std::string codes;
    codes.reserve(text.size());
    for (char c : text) {
        if (codes.size() >= limit)
            break;
        appendDisplayCodes(set, static_cast<unsigned char>(c), codes);
    }
    if (codes.size() > limit)
        codes.resize(limit);
    return codes;
}

} // namespace lcd
