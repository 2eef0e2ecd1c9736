#include "base/TemporaryName.h"

#include <gtest/gtest.h>

using base::temporaryName;
using base::temporaryNameWriter;

TEST(TemporaryName, OnlyTheStoresOwnNamesTellTheirWriter)
{
    EXPECT_EQ(temporaryName("kes-", 1234, 7), "kes-1234-7.tmp");
    struct Case {
        const char* name;
        bool ignoreCase;
        std::optional<std::uint32_t> writer;
    };
    const Case cases[] = {
        {"kes-1234-7.tmp", false, 1234u},
        {"kes-4294967295-0.tmp", false, 4294967295u},
        {"KES-1234-7.TMP", true, 1234u},
        {"KES-1234-7.TMP", false, std::nullopt},
        {"kes-4294967296-0.tmp", false, std::nullopt}, // no such process id
        {"kes-0-1.tmp", false, std::nullopt},
        {"kes--1.tmp", false, std::nullopt},
        {"kes-12-.tmp", false, std::nullopt},
        {"kes-12.tmp", false, std::nullopt},
        {"kes-x-1.tmp", false, std::nullopt},
        {"kes-12-1x.tmp", false, std::nullopt},
        {"kes-+12-1.tmp", false, std::nullopt},
        {"kes-12-1.tmp.bak", false, std::nullopt},
        {"kesA1B2.tmp", false, std::nullopt}, // the system's temporary names
        {"kes-.tmp", false, std::nullopt},
        {"notes.tmp", false, std::nullopt},
        {"", false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(temporaryNameWriter("kes-", c.name, c.ignoreCase), c.writer) << c.name;
}
