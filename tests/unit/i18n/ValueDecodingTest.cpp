#include "i18n/ValueDecoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using namespace i18n;

TEST(UnquoteValue, DecodesQuotedLiteralsAndRefusesBrokenOnes)
{
    struct Case {
        std::string value;
        std::string text;
    };
    const Case cases[] = {
        {"'E&xit'", "E&xit"},
        {"'It''s'", "It's"},
        {"'Line 1'#13#10'Line 2'", "Line 1\r\nLine 2"},
        {"Stand by...", "Stand by..."},
        {"'abc'x", ""}, // a closing quote followed by text
        {"x", ""},      // fewer than two characters
        {"'", ""},
        {"#", ""},
        {"''", ""},                 // the empty quoted text
        {"'open", ""},              // never closed
        {"a'b", ""},                // opens a quote outside and never closes it
        {"Track #1", "Track \x01"}, // "#" outside quotes
        {"'#1'", "#1"},             // "#" inside quotes is kept
        {"#65#66", "AB"},
        {"#321", "A"},                     // modulo 256
        {"#99999999999999999999", "\xff"}, // (10^20 - 1) modulo 256, without overflow
        {"a#", "a\xff"},                   // "#" without digits
        {"ab''cd", "abcd"},                // a doubled quote outside quotes adds nothing
        {"''''", "'"},
        {"'a'#9'b'", "a\tb"},
        {"'a'#", "a\xff"},
        {"abc'def'", "abcdef"},
        {"'caf\xe9'", "caf\xe9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnquoteValue(c.value), c.text) << c.value;
}

TEST(StringListValue, SplitsQuotedAndBareItems)
{
    using List = std::vector<std::string>;
    struct Case {
        std::string value;
        List items;
    };
    const Case cases[] = {
        {"'First line','Second, with comma'", {"First line", "Second, with comma"}},
        {"one two,three", {"one", "two", "three"}},
        {"'a','b'", {"a", "b"}},
        {"", {}},
        {"   ", {}},
        {"a,", {"a", ""}}, // a final comma adds one empty item
        {",", {"", ""}},
        {"a , b", {"a", "b"}},
        {"'It''s',x", {"It's", "x"}},
        {"'unclosed, rest", {"unclosed, rest"}},
        {"'a'b", {"a", "b"}}, // reading goes on after the closing quote
        {"''", {""}},
        {"a,,b", {"a", "", "b"}},
        {"\t'x'\x01,\x02y", {"x", "y"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeStringList(c.value), c.items) << c.value;
}

TEST(IntegerValue, ReadsDecimalAndHexadecimalWithinThirtyTwoBits)
{
    struct Case {
        std::string value;
        std::optional<std::int32_t> number;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"+7", 7},
        {"-15", -15},
        {"007", 7},
        {"$10", 16},
        {"$ff", 255},
        {"0x10", 16},
        {"0X1F", 31},
        {"$FFFFFFFF", -1},
        {"$000000010", 16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$100000000", std::nullopt},
        {"0x", std::nullopt}, // only two characters: not hexadecimal, and not decimal
        {"$", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"clRed", std::nullopt},
        {"12a", std::nullopt},
        {"1.5", std::nullopt},
        {"-$10", std::nullopt},
        {"$-10", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeInteger(c.value), c.number) << c.value;
}

TEST(FloatValue, ReadsDecimalNotationWithTheRegionalSeparator)
{
    struct Case {
        std::string value;
        char separator;
        std::optional<double> number;
    };
    const Case cases[] = {
        {"1.5", '.', 1.5},
        {"-0.25", '.', -0.25},
        {"+3", '.', 3.0},
        {"2.", '.', 2.0},
        {".5", '.', 0.5},
        {"1e3", '.', 1000.0},
        {"1.5E-2", '.', 0.015},
        {"1,5", ',', 1.5},
        {"1.5", ',', std::nullopt}, // the other separator
        {"1,5", '.', std::nullopt},
        {"", '.', std::nullopt},
        {".", '.', std::nullopt},
        {"1e", '.', std::nullopt},
        {"abc", '.', std::nullopt},
        {"inf", '.', std::nullopt},
        {"nan", '.', std::nullopt},
        {"1e999", '.', std::nullopt},
        {"0x10", '.', std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeFloat(c.value, c.separator), c.number) << c.value;
}
