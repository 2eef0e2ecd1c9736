#include "platform/NotificationArea.h"
#include "platform/SoundPlayer.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(NotificationArea, TooltipKeepsAtMost63CharactersUpToTheFirstZero)
{
    const std::string sixtyThree(63, 'k');
    struct Case {
        std::string tip;
        std::string inRecord;
    };
    const Case cases[] = {
        {"Kestrion", "Kestrion"},
        {"", ""},
        {std::string(62, 'k'), std::string(62, 'k')},
        {sixtyThree, sixtyThree},
        {sixtyThree + "X", sixtyThree},
        {std::string(500, 'k'), sixtyThree},
        {"caf\xe9 \xff\x80", "caf\xe9 \xff\x80"},
        {"Kes\0trion"s, "Kes"},
        {"\0"s + std::string(80, 'k'), ""},
    };
    for (const auto& c : cases) {
        std::string tip = platform::trayTipText(c.tip);
        EXPECT_EQ(tip, c.inRecord) << c.tip.size() << " characters";
        EXPECT_LT(tip.size(), platform::TrayIconData::TipCapacity) << "room for the zero";
    }
}

TEST(NotificationArea, RecordSizesAndSoundFlagsAreTheSystemsNumbers)
{
    // The first form of the notification-icon record on 32-bit and on 64-bit Windows; the
    // Windows builds also check these against the system headers at compile time.
    EXPECT_EQ(platform::trayIconRecordSize(4), 88u);
    EXPECT_EQ(platform::trayIconRecordSize(8), 104u);
    EXPECT_EQ(platform::playSoundFlags(platform::SoundSource::ProgramResource), 0x40005u);
    EXPECT_EQ(platform::playSoundFlags(platform::SoundSource::File), 0x20001u);
}
