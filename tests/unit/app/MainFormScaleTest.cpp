// The main window with a profile at the limit of 65,535 channels with long names: the Initial
// Channel menu, the channel bar, stepping at both ends, and the settings dialog.

#include "MainFormFixture.h"

#include "profile/ProfileData.h"
#include "ui/ListBox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using app::TMainForm;
using namespace mainformtest;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr int kLimit = 65535;
// None, a separator, Default, a separator.
constexpr int kFixedItems = 4;

// A long name in the profile's 8-bit text, different for every position.
std::string longName(int position)
{
    return "\xC9quipe de reconnaissance num\xE9ro " + std::to_string(position) +
           " - canal de coordination longue port\xE9"
           "e, secteur nord";
}

std::string limitProfile(int initial)
{
    std::string text = "[options]\r\nsounds=1\r\n[host]\r\naddress=h\r\n[channels]\r\ncount=" +
                       std::to_string(kLimit) + "\r\ndefault=" + std::to_string(initial) + "\r\n";
    for (int p = 1; p <= kLimit; ++p)
        text += "channel" + std::to_string(p) + "=" + longName(p) + "\r\n";
    return text;
}

// A caption as the menu shows it: without the "&" that marks an access key.
std::string shown(const std::string& caption)
{
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

} // namespace

TEST_F(MainFormTest, AtTheLimitTheMenuHasEveryChannelAndAChoiceStoresIt)
{
    write(homeProfile, limitProfile(kLimit));
    TMainForm& f = start();

    ASSERT_EQ(f.InitialChannel1->count(), kFixedItems + kLimit);
    int checked = 0;
    for (int p = 1; p <= kLimit; ++p) {
        const ui::MenuItem* item = f.InitialChannel1->item(kFixedItems + p - 1);
        if (shown(item->caption()) != std::to_string(p) + " - " + longName(p) || item->tag() != p ||
            !item->radioItem()) {
            ADD_FAILURE() << "item of channel " << p << ": " << item->caption() << ", tag "
                          << item->tag();
            break;
        }
        checked += item->checked();
    }
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(f.InitialChannel1->item(kFixedItems + kLimit - 1)->checked());
    EXPECT_FALSE(f.None1->checked());
    EXPECT_FALSE(f.Default1->checked());
    // Every command number is the item's own.
    const ui::MenuItem* last = f.InitialChannel1->item(kFixedItems + kLimit - 1);
    EXPECT_EQ(f.MainMenu1->findByCommand(last->command()), last);
    EXPECT_EQ(f.MainMenu1->findByCommand(f.SetChannels1->command()), f.SetChannels1);

    // The bar spans every channel and starts on the initial one, which is joined.
    EXPECT_EQ(f.ChannelBar->min(), 0);
    EXPECT_EQ(f.ChannelBar->max(), kLimit);
    EXPECT_EQ(f.ChannelBar->position(), kLimit);
    EXPECT_EQ(f.ChannelLCD->Caption(), longName(kLimit));

    // A channel chosen from the menu is stored as "default" and alone checked.
    ASSERT_TRUE(ui::headless::chooseMenuItem(*f.InitialChannel1->item(kFixedItems + 40000 - 1)));
    EXPECT_EQ(profile::readInteger(homeProfile, "channels", "default", 0), 40000);
    EXPECT_EQ(f.Profile.InitialChannel, 40000);
    EXPECT_TRUE(f.InitialChannel1->item(kFixedItems + 40000 - 1)->checked());
    EXPECT_FALSE(last->checked());
}

TEST_F(MainFormTest, AtTheLimitStepsStopAtBothEndsAsWithThreeChannels)
{
    write(homeProfile, limitProfile(kLimit - 1));
    TMainForm& f = start();
    struct Case {
        std::uint32_t message;
        std::int32_t position;
        bool joins;
        const char* sound;
    };
    const Case cases[] = {
        {0x401, kLimit, true, "Stsnd02"},     // up to the last channel
        {0x401, kLimit, false, "Stsnd01"},    // up at the last channel: the error sound
        {0x402, kLimit - 1, true, "Stsnd02"}, // down again
        {0x40C, 0, true, "Stsnd02"},          // the lobby
        {0x402, 0, false, "Stsnd01"},         // down at the lobby
        {0x401, 1, true, "Stsnd02"},
    };
    for (const Case& c : cases) {
        clearRecords();
        const auto before = sounds().size();
        send(c.message);
        EXPECT_EQ(f.ChannelBar->position(), c.position) << std::hex << c.message;
        const auto joins = newCommands();
        if (c.joins) {
            const std::string name = c.position == 0 ? "" : longName(c.position);
            std::string upper = name;
            for (char& ch : upper)
                if (ch >= 'a' && ch <= 'z')
                    ch = static_cast<char>(ch - 32);
            EXPECT_THAT(joins, ElementsAre("/join1 h/" + upper + " ")) << c.position;
        } else {
            EXPECT_THAT(joins, IsEmpty());
        }
        const auto all = sounds();
        ASSERT_EQ(all.size(), before + 1);
        EXPECT_EQ(all.back(), c.sound);
    }
}

TEST_F(MainFormTest, AtTheLimitTheSettingsDialogGivesTheListBackUnchanged)
{
    write(homeProfile, limitProfile(7));
    TMainForm& f = start();
    const std::vector<std::string> names = f.Profile.ChannelNames;
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kLimit));

    std::size_t listed = 0;
    backend.answerModalForms([&](ui::Form& dialog) {
        auto& settings = dynamic_cast<profile::TSettingsDlg&>(dialog);
        listed = static_cast<std::size_t>(settings.ListBox1->items().count());
        // One channel added and removed again, one moved down and back: the same list.
        ui::headless::click(*settings.Button3);
        settings.ListBox1->selectedByUser(kLimit);
        ui::headless::click(*settings.Button4);
        settings.ListBox1->selectedByUser(100);
        settings.MoveDown1->click();
        settings.ListBox1->selectedByUser(101);
        settings.MoveUp1->click();
        ui::headless::click(*settings.OkBtn);
        return ui::ModalResult::None;
    });
    ASSERT_TRUE(ui::headless::chooseMenuItem(*f.SetChannels1));
    EXPECT_EQ(listed, static_cast<std::size_t>(kLimit));
    EXPECT_EQ(f.Profile.ChannelNames, names);
    EXPECT_EQ(profile::readInteger(homeProfile, "channels", "count", 0), kLimit);
    EXPECT_EQ(profile::readInteger(homeProfile, "channels", "default", 0), 7);
    const profile::ProfileData saved = profile::loadProfile(homeProfile);
    EXPECT_EQ(saved.ChannelNames, names);
    EXPECT_EQ(f.InitialChannel1->count(), kFixedItems + kLimit);
    EXPECT_EQ(f.ChannelBar->max(), kLimit);
}
