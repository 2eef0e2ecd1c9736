#include "platform/Registry.h"

#include <gtest/gtest.h>

using platform::RegistryValue;
using platform::ValueType;

TEST(Registry, TextValuesAreTextTypesUpToTheFirstZero)
{
    struct Case {
        std::optional<RegistryValue> value;
        std::optional<std::string> text;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {RegistryValue{ValueType::Text, "C:\\RW\\roger.exe\0"s}, "C:\\RW\\roger.exe"},
        {RegistryValue{ValueType::Text, "no terminating zero"}, "no terminating zero"},
        {RegistryValue{ValueType::Text, "cut\0here\0"s}, "cut"},
        {RegistryValue{ValueType::Text, ""}, ""},
        {RegistryValue{ValueType::Text, "caf\xe9\0"s}, "caf\xe9"},
        {RegistryValue{ValueType::ExpandText, "%ProgramFiles%\\roger.exe\0"s},
         "%ProgramFiles%\\roger.exe"},
        {RegistryValue{ValueType::MultiText, "a\0b\0\0"s}, std::nullopt},
        {RegistryValue{ValueType::Binary, "text\0"s}, std::nullopt},
        {RegistryValue{ValueType::Dword, "\x01\0\0\0"s}, std::nullopt},
        {RegistryValue{ValueType::None, "x"}, std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::textValue(c.value), c.text)
            << (c.value ? static_cast<int>(c.value->type) : -1) << " " << c.text.value_or("-");
}

TEST(Registry, DwordValuesAreExactlyFourLittleEndianBytes)
{
    struct Case {
        std::optional<RegistryValue> value;
        std::optional<std::uint32_t> number;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {RegistryValue{ValueType::Dword, "\x04\x03\x02\x01"s}, 0x01020304u},
        {RegistryValue{ValueType::Dword, "\x80\0\0\0"s}, 128u},
        {RegistryValue{ValueType::Dword, "\xff\xff\xff\xff"s}, 0xFFFFFFFFu},
        {RegistryValue{ValueType::Dword, "\x80\0\0"s}, std::nullopt},
        {RegistryValue{ValueType::Dword, "\x80\0\0\0\0"s}, std::nullopt},
        {RegistryValue{ValueType::Dword, ""}, std::nullopt},
        {RegistryValue{ValueType::DwordBigEndian, "\0\0\0\x80"s}, std::nullopt},
        {RegistryValue{ValueType::Qword, "\x80\0\0\0\0\0\0\0"s}, std::nullopt},
        {RegistryValue{ValueType::Binary, "\x80\0\0\0"s}, std::nullopt},
        {RegistryValue{ValueType::Text, "128\0"s}, std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(platform::dwordValue(cases[i].value), cases[i].number) << "case " << i;
}
