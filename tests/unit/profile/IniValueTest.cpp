#include "profile/IniValue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(IniValue, IntegersReadByTheProfileRules)
{
    struct Case {
        std::string text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"112", 112},
        {"-12", -12},
        {"+7", 7},
        {"00012", 12},
        {"0x70", 112},
        {"0X70", 112},
        {"$70", 112},
        {"x70", 112},
        {"X7f", 127},
        {"-0x10", -16},
        {"-$10", -16},
        {"0x0000000070", 112},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0xFFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"0x100000000", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"112abc", std::nullopt},
        {"abc", std::nullopt},
        {"word", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"1e3", std::nullopt},
        {"0xG1", std::nullopt},
        {"--1", std::nullopt},
        {"0b101", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(profile::parseIniInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(IniValue, IntegersWrittenInDecimal)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0"}, {112, "112"}, {-1, "-1"}, {INT32_MIN, "-2147483648"}, {INT32_MAX, "2147483647"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(profile::formatIniInteger(value), text);
        EXPECT_EQ(profile::parseIniInteger(text), value);
    }
}

TEST(IniValue, ReadableTextLosesOneEnclosingPairAndIsCut)
{
    struct Case {
        std::string stored;
        std::string expected;
    };
    const std::string long3000(3000, 'a');
    const std::string inner2047(2047, 'b');
    const Case cases[] = {
        {"plain", "plain"},
        {"\"quoted\"", "quoted"},
        {"'single'", "single"},
        {"\"\"", ""},
        {"''", ""},
        {"\"", "\""},
        {"\"open", "\"open"},
        {"\"mixed'", "\"mixed'"},
        {"\"a\"b\"", "a\"b"},
        {"\"\"twice\"\"", "\"twice\""},
        {"in \"middle\"", "in \"middle\""},
        {long3000, long3000.substr(0, 2047)},
        {"\"" + inner2047 + "\"", inner2047},
        {"\"" + inner2047 + "bb\"", inner2047},
    };
    for (const auto& c : cases)
        EXPECT_EQ(profile::readableText(c.stored), c.expected) << c.stored.substr(0, 40);
}
