#include "profile/SettingsDlg.h"

#include "profile/FileIo.h"
#include "profile/SoundsDlg.h"

#include "TempFolder.h"

#include "i18n/bsCorePolyglot.h"
#include "i18n/bsPolyglotManager.h"
#include "ui/Application.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/User.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <vector>

using namespace profile;
using profile::testing::readBytes;
using profile::testing::TempFolder;
using profile::testing::writeBytes;
namespace user = ui::headless;
using ui::ModalResult;
using Names = std::vector<std::string>;

namespace {

// Three channels with a sound each, keys in decimal and hexadecimal, one key missing, and
// entries the dialog must leave alone or drop.
const std::string kProfile = "[options]\r\n"
                             "language=english\r\n"
                             "[host]\r\n"
                             "address=voice.example.net\r\n"
                             "password=secret\r\n"
                             "[channels]\r\n"
                             "count=3\r\n"
                             "default=3\r\n"
                             "channel1=Alpha\r\n"
                             "channel2=Bravo\r\n"
                             "channel3=Charlie\r\n"
                             "channel5=Stale\r\n"
                             "[sounds]\r\n"
                             "error=err.wav\r\n"
                             "channel0=lobby.wav\r\n"
                             "channel1=alpha.wav\r\n"
                             "channel2=DEFAULT\r\n"
                             "channel3=charlie.wav\r\n"
                             "[keys]\r\n"
                             "require_alt=0\r\n"
                             "require_ctrl=1\r\n"
                             "channel_up=0x6B\r\n"
                             "channel0=96\r\n"
                             "channel1=97\r\n"
                             "decreasegain=112abc\r\n";

class SettingsDlgTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string path = folder.file("profile.ini");
    // The main window's side: its profile data, its reloads and its help requests.
    ProfileData data;
    Names reloads;
    std::vector<std::int32_t> helps;
    // What the user does when the sound dialog shows.
    std::function<ModalResult(TSoundsDlg&)> inSoundsDlg;
    ui::headless::HeadlessBackend backend;
    ui::Application app;
    TSoundsDlg& sounds = *new TSoundsDlg(&app, nullptr);
    TSettingsDlg* m_open = nullptr;

    SettingsDlgTest()
    {
        app.setTitle("Kestrion");
        backend.answerModalForms([this](ui::Form& form) {
            auto* soundsDlg = dynamic_cast<TSoundsDlg*>(&form);
            return soundsDlg && inSoundsDlg ? inSoundsDlg(*soundsDlg) : ModalResult::Cancel;
        });
    }

    SettingsDlgLinks links()
    {
        return {data,
                [this](const std::string& p) {
                    reloads.push_back(p);
                    data = loadProfile(p);
                },
                sounds, nullptr, [this](std::int32_t context) { helps.push_back(context); }};
    }

    // Loads the profile as the main window does and opens a dialog on it, in place of the
    // one opened before.
    TSettingsDlg& open(const std::string& text = kProfile)
    {
        writeBytes(path, text);
        data = loadProfile(path);
        ui::destroy(m_open);
        m_open = new TSettingsDlg(&app, links());
        m_open->show();
        return *m_open;
    }

    // Right-clicks the list and chooses `item`; false when it was disabled.
    bool choose(TSettingsDlg& dlg, ui::MenuItem* item)
    {
        backend.answerPopupMenus([item](ui::PopupMenu&, int, int) { return item; });
        return user::rightClick(*dlg.ListBox1, 10, 10) && item->enabled();
    }

    // The sound dialog answers OK with "Custom" and this path, or "Default Sound" for
    // "DEFAULT"; records what it showed when it opened.
    void soundChoice(const std::string& value, std::string* shownAtOpen = nullptr)
    {
        inSoundsDlg = [value, shownAtOpen](TSoundsDlg& d) {
            if (shownAtOpen) {
                *shownAtOpen = d.chosenSound();
            }
            d.prime(value);
            user::click(*d.OkBtn);
            return ModalResult::None;
        };
    }
};

Names items(const TSettingsDlg& dlg)
{
    return dlg.ListBox1->items().lines();
}

// The first bytes of a file, however large it is.
std::string firstBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes(64, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

TEST_F(SettingsDlgTest, OpeningShowsTheDataTheKeysAndTheFirstChannel)
{
    TSettingsDlg& dlg = open();
    EXPECT_EQ(items(dlg), (Names{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(dlg.ListBox1->itemIndex(), 0);
    EXPECT_EQ(dlg.currentChannel(), 0);
    EXPECT_EQ(dlg.ChannelNameEdit->text(), "Alpha");
    EXPECT_EQ(sounds.chosenSound(), "alpha.wav"); // primed by the selection
    EXPECT_EQ(dlg.AddressEdit->text(), "voice.example.net");
    EXPECT_EQ(dlg.PasswordEdit->text(), "secret");
    EXPECT_EQ(dlg.workingSounds(), (Names{"lobby.wav", "alpha.wav", "DEFAULT", "charlie.wav"}));
    EXPECT_EQ(dlg.workingErrorSound(), "err.wav");
    EXPECT_TRUE(dlg.ApplyBtn->enabled());
    EXPECT_EQ(dlg.activeControl(), dlg.ChannelNameEdit);
    EXPECT_FALSE(dlg.CheckBox1->checked());
    EXPECT_TRUE(dlg.CheckBox2->checked());
    std::vector<std::string> keys;
    for (const ui::Edit* field : dlg.KeyEdits) {
        keys.push_back(field->text());
    }
    // Edit1..Edit10 are positions 0..9, then up, down, disconnect, traypop, volume, gain.
    EXPECT_EQ(keys, (Names{"96", "97", "0", "0", "0", "0", "0", "0", "0", "0", "107", "0", "0", "0",
                           "0", "0", "0", "0"}));

    // "+" takes the name field's text; the sound dialog stays primed as it was.
    user::click(*dlg.Button3);
    EXPECT_EQ(items(dlg), (Names{"Alpha", "Bravo", "Charlie", "Alpha"}));
    EXPECT_EQ(dlg.currentChannel(), 3);
    EXPECT_EQ(sounds.chosenSound(), "alpha.wav");
    EXPECT_EQ(dlg.workingSounds().back(), "DEFAULT");

    // Data that lack sounds (made by hand, not by a load) still pair every entry with one.
    data.ChannelNames = {"One", "Two"};
    data.ChannelSounds = {};
    TSettingsDlg& sparse = *new TSettingsDlg(nullptr, links());
    sparse.show();
    user::selectItem(*sparse.ListBox1, 1);
    user::click(*sparse.Button4);
    EXPECT_EQ(sparse.workingSounds(), (Names{"DEFAULT", "DEFAULT"}));
    EXPECT_TRUE(backend.messageBoxes().empty());
    ui::destroy(&sparse);
}

TEST_F(SettingsDlgTest, AProfileWithoutChannelsAddsTheNameFieldsText)
{
    struct Case {
        const char* what;
        std::string profile;
    };
    const Case cases[] = {
        {"count 0", "[channels]\r\ncount=0\r\n"},
        {"negative count", "[channels]\r\ncount=-4\r\nchannel1=Ghost\r\n"},
    };
    for (const Case& c : cases) {
        TSettingsDlg& dlg = open(c.profile);
        EXPECT_EQ(items(dlg), Names{}) << c.what;
        EXPECT_EQ(dlg.currentChannel(), -1) << c.what;
        EXPECT_EQ(dlg.ChannelNameEdit->text(), "Channel Name") << c.what;
        user::click(*dlg.Button4); // nothing to remove
        user::click(*dlg.Button3);
        user::click(*dlg.Button3);
        EXPECT_EQ(items(dlg), (Names{"Channel Name", "Channel Name"})) << c.what;
        dlg.ChannelNameEdit->textEdited("");
        user::click(*dlg.Button3);
        EXPECT_EQ(items(dlg), (Names{"Channel Name", "Channel Name", "NewChannel"})) << c.what;
        EXPECT_EQ(dlg.currentChannel(), 2) << c.what;
        EXPECT_EQ(dlg.ListBox1->itemIndex(), 2) << c.what;
        EXPECT_EQ(dlg.ChannelNameEdit->text(), "NewChannel") << c.what;
        EXPECT_EQ(dlg.workingSounds(), (Names{"DEFAULT", "DEFAULT", "DEFAULT", "DEFAULT"}));
        user::click(*dlg.OkBtn);
        EXPECT_EQ(data.ChannelNames, (Names{"Channel Name", "Channel Name", "NewChannel"}));
        EXPECT_EQ(data.ChannelCount, 3);
    }
}

TEST_F(SettingsDlgTest, ATypedNameTakesEffectOnlyForTheEntrySelectedAtApply)
{
    TSettingsDlg& dlg = open();
    user::selectItem(*dlg.ListBox1, 1);
    EXPECT_EQ(dlg.currentChannel(), 1);
    EXPECT_EQ(sounds.chosenSound(), "DEFAULT");
    dlg.ChannelNameEdit->setFocus();
    dlg.ChannelNameEdit->textEdited("Renamed");
    user::selectItem(*dlg.ListBox1, 2); // the typed text gives way to the entry's name
    EXPECT_EQ(dlg.ChannelNameEdit->text(), "Charlie");
    user::click(*dlg.ApplyBtn);
    EXPECT_EQ(data.ChannelNames, (Names{"Alpha", "Bravo", "Charlie"}));

    dlg.ChannelNameEdit->textEdited("Delta");
    user::click(*dlg.OkBtn);
    EXPECT_EQ(data.ChannelNames, (Names{"Alpha", "Bravo", "Delta"}));
    EXPECT_EQ(readText(path, "channels", "channel3", ""), "Delta");

    // An empty name field gives the selected channel an empty name.
    TSettingsDlg& again = open(readBytes(path));
    again.ChannelNameEdit->textEdited("");
    user::click(*again.ApplyBtn);
    EXPECT_EQ(data.ChannelNames, (Names{"", "Bravo", "Delta"}));
}

TEST_F(SettingsDlgTest, RemovingTakesTheChannelWithItsOwnSoundAndMovesToTheTopRow)
{
    TSettingsDlg& dlg = open();
    user::selectItem(*dlg.ListBox1, 1);
    dlg.ListBox1->scrolledByUser(2); // Charlie is the top visible row
    user::click(*dlg.Button4);
    EXPECT_EQ(items(dlg), (Names{"Alpha", "Charlie"}));
    EXPECT_EQ(dlg.workingSounds(), (Names{"lobby.wav", "alpha.wav", "charlie.wav"}));
    EXPECT_EQ(dlg.ListBox1->itemIndex(), -1);
    EXPECT_EQ(dlg.currentChannel(), 1); // the top row, though nothing is highlighted
    EXPECT_EQ(dlg.ChannelNameEdit->text(), "Charlie");

    EXPECT_FALSE(choose(dlg, dlg.Delete1)); // "Delete" needs a highlighted entry
    user::click(*dlg.Button4);              // "-" takes the current channel
    EXPECT_EQ(items(dlg), (Names{"Alpha"}));
    EXPECT_EQ(dlg.workingSounds(), (Names{"lobby.wav", "alpha.wav"}));

    user::click(*dlg.Button4);
    EXPECT_EQ(items(dlg), Names{});
    EXPECT_EQ(dlg.workingSounds(), Names{"lobby.wav"});
    EXPECT_EQ(dlg.currentChannel(), -1);
    user::click(*dlg.Button4);
    EXPECT_TRUE(choose(dlg, dlg.CustomSound1)); // enabled, but no channel to act on
    EXPECT_TRUE(backend.modalForms().empty());

    // The initial channel keeps its number; loading takes the lobby when it is too large.
    user::click(*dlg.OkBtn);
    EXPECT_EQ(readInteger(path, "channels", "default", -9), 3);
    EXPECT_EQ(data.InitialChannel, 0);
    EXPECT_EQ(readText(path, "sounds", "channel1", "gone"), "gone");
}

TEST_F(SettingsDlgTest, ThePopupMenuFollowsTheHighlightedEntry)
{
    struct Case {
        std::int32_t selected;
        bool deleteOn, upOn, downOn;
    };
    const Case cases[] = {
        {-1, false, false, true},
        {0, true, false, true},
        {1, true, true, true},
        {2, true, true, false},
    };
    TSettingsDlg& dlg = open();
    for (const Case& c : cases) {
        dlg.ListBox1->setItemIndex(c.selected);
        backend.answerPopupMenus([](ui::PopupMenu&, int, int) { return nullptr; });
        user::rightClick(*dlg.ListBox1, 5, 5);
        EXPECT_EQ(dlg.ListBox1->itemIndex(), c.selected); // a right-click selects nothing
        EXPECT_EQ(dlg.Delete1->enabled(), c.deleteOn) << c.selected;
        EXPECT_EQ(dlg.MoveUp1->enabled(), c.upOn) << c.selected;
        EXPECT_EQ(dlg.MoveDown1->enabled(), c.downOn) << c.selected;
        EXPECT_TRUE(dlg.CustomSound1->enabled() && dlg.CustomLobbySound1->enabled() &&
                    dlg.CustomErrorSound1->enabled());
    }
}

TEST_F(SettingsDlgTest, MovingSwapsNeighboursWithTheirSoundsAndKeepsTheCurrentPosition)
{
    TSettingsDlg& dlg = open();
    user::selectItem(*dlg.ListBox1, 1);
    dlg.ApplyBtn->setEnabled(false);
    EXPECT_TRUE(choose(dlg, dlg.MoveUp1));
    EXPECT_EQ(items(dlg), (Names{"Bravo", "Alpha", "Charlie"}));
    EXPECT_EQ(dlg.workingSounds(), (Names{"lobby.wav", "DEFAULT", "alpha.wav", "charlie.wav"}));
    EXPECT_EQ(dlg.ListBox1->itemIndex(), -1);
    EXPECT_FALSE(dlg.ApplyBtn->enabled());
    EXPECT_EQ(dlg.ChannelNameEdit->text(), "Bravo");

    // Nothing is highlighted: "Move Down" is offered but does nothing.
    EXPECT_TRUE(choose(dlg, dlg.MoveDown1));
    EXPECT_EQ(items(dlg), (Names{"Bravo", "Alpha", "Charlie"}));

    // "Custom Sound..." and "-" still act on position 1, which now holds Alpha.
    EXPECT_EQ(dlg.currentChannel(), 1);
    soundChoice("moved.wav");
    EXPECT_TRUE(choose(dlg, dlg.CustomSound1));
    EXPECT_EQ(dlg.workingSounds()[2], "moved.wav");
    user::click(*dlg.Button4);
    EXPECT_EQ(items(dlg), (Names{"Bravo", "Charlie"}));

    user::selectItem(*dlg.ListBox1, 0);
    EXPECT_TRUE(choose(dlg, dlg.MoveDown1));
    EXPECT_EQ(items(dlg), (Names{"Charlie", "Bravo"}));
    EXPECT_EQ(dlg.workingSounds(), (Names{"lobby.wav", "charlie.wav", "DEFAULT"}));
}

TEST_F(SettingsDlgTest, SoundCommandsChangeOnlyTheWorkingCopiesAndOnlyOnOk)
{
    TSettingsDlg& dlg = open();
    user::click(*dlg.ApplyBtn);
    const std::string applied = readBytes(path);
    std::string shownAtOpen;

    // The lobby command primes the dialog; the channel command right after shows it as the
    // lobby command left it.
    soundChoice("new-lobby.wav", &shownAtOpen);
    EXPECT_TRUE(choose(dlg, dlg.CustomLobbySound1));
    EXPECT_EQ(shownAtOpen, "lobby.wav");
    soundChoice("DEFAULT", &shownAtOpen);
    EXPECT_TRUE(choose(dlg, dlg.CustomSound1));
    EXPECT_EQ(shownAtOpen, "new-lobby.wav");
    soundChoice("", &shownAtOpen); // "Custom" with an empty path
    EXPECT_TRUE(choose(dlg, dlg.CustomErrorSound1));
    EXPECT_EQ(shownAtOpen, "err.wav");
    inSoundsDlg = [](TSoundsDlg& d) {
        d.prime("cancelled.wav");
        return ModalResult::Cancel;
    };
    EXPECT_TRUE(choose(dlg, dlg.CustomSound1));
    EXPECT_TRUE(choose(dlg, dlg.CustomErrorSound1));

    EXPECT_EQ(dlg.workingSounds(), (Names{"new-lobby.wav", "DEFAULT", "DEFAULT", "charlie.wav"}));
    EXPECT_EQ(dlg.workingErrorSound(), "");
    EXPECT_FALSE(dlg.ApplyBtn->enabled());
    EXPECT_EQ(readBytes(path), applied);
    EXPECT_EQ(data.ChannelSounds[0], "lobby.wav");

    user::click(*dlg.OkBtn); // OK applies although Apply is disabled
    EXPECT_EQ(dlg.modalResult(), ModalResult::Ok);
    EXPECT_EQ(data.ChannelSounds, (Names{"new-lobby.wav", "DEFAULT", "DEFAULT", "charlie.wav"}));
    EXPECT_EQ(data.ErrorSoundSetting, "");
    EXPECT_EQ(readText(path, "sounds", "error", "absent"), "");
}

TEST_F(SettingsDlgTest, AKeyFieldCapturesAnyKeyButTheModifiersAndTheDialogKeys)
{
    struct Case {
        std::uint16_t key;
        std::uint8_t shift;
        std::string shown; // the field's text afterwards
        bool applyOn;
    };
    const Case cases[] = {
        {ui::vk::Shift, ui::ssShift, "97", false},
        {ui::vk::Control, ui::ssCtrl, "97", false},
        {ui::vk::Menu, ui::ssAlt, "97", false},
        {ui::vk::F5, ui::ssNone, "116", true},
        {ui::vk::F5, ui::ssCtrl, "116", true},
        {'A', std::uint8_t(ui::ssAlt | ui::ssShift), "65", true},
        {ui::vk::F1, ui::ssNone, "112", true}, // a key, not a help request here
        {ui::vk::Return, ui::ssNone, "13", true},
        {ui::vk::Left, ui::ssNone, "37", true},
        {ui::vk::Down, ui::ssNone, "40", true},
        {ui::vk::Tab, ui::ssCtrl, "9", true},
    };
    for (const Case& c : cases) {
        TSettingsDlg& dlg = open();
        dlg.ApplyBtn->setEnabled(false);
        ui::Edit& field = *dlg.KeyEdits[1];
        field.setFocus();
        user::pressKey(dlg, c.key, c.shift);
        EXPECT_EQ(field.text(), c.shown) << c.key << "/" << int(c.shift);
        EXPECT_EQ(dlg.ApplyBtn->enabled(), c.applyOn) << c.key;
        EXPECT_EQ(dlg.activeControl(), &field) << c.key;
        EXPECT_EQ(dlg.modalResult(), ModalResult::None) << c.key;
        EXPECT_TRUE(helps.empty());
    }

    // Typing never inserts characters; two fields may hold the same code.
    TSettingsDlg& dlg = open();
    EXPECT_FALSE(user::typeText(*dlg.KeyEdits[2], "x"));
    EXPECT_EQ(dlg.KeyEdits[2]->text(), "0");
    user::pressKey(dlg, ui::vk::F5);
    dlg.KeyEdits[17]->setFocus();
    user::pressKey(dlg, ui::vk::F5);
    dlg.CheckBox1->setChecked(true);
    user::click(*dlg.OkBtn);
    const Hotkeys saved = readHotkeys(path);
    EXPECT_EQ(saved[HotkeyAction::Channel2], 116);
    EXPECT_EQ(saved[HotkeyAction::DecreaseGain], 116);
    EXPECT_EQ(saved[HotkeyAction::ChannelUp], 107); // stored as 0x6B, written in decimal
    EXPECT_TRUE(saved.requireAlt && saved.requireCtrl);
}

TEST_F(SettingsDlgTest, TabShiftTabAndEscapeKeepTheirDialogMeaning)
{
    Names visited;
    writeBytes(path, kProfile);
    data = loadProfile(path);
    const std::string before = readBytes(path);
    backend.answerModalForms([&](ui::Form& form) {
        auto& dlg = dynamic_cast<TSettingsDlg&>(form);
        for (int i = 0; i < 29; ++i) {
            visited.push_back(dlg.activeControl()->name());
            user::pressKey(dlg, ui::vk::Tab);
        }
        visited.push_back(dlg.activeControl()->name());
        user::pressKey(dlg, ui::vk::Tab, ui::ssShift);
        visited.push_back(dlg.activeControl()->name());
        dlg.ChannelNameEdit->textEdited("Typed");
        dlg.KeyEdits[0]->setFocus();
        user::pressKey(dlg, ui::vk::Escape);
        EXPECT_EQ(dlg.KeyEdits[0]->text(), "96");
        return ModalResult::None;
    });
    EXPECT_EQ(TSettingsDlg::Execute(links()), ModalResult::Cancel);
    EXPECT_EQ(visited,
              (Names{"ChannelNameEdit", "OkBtn",     "CancelBtn", "ApplyBtn", "AddressEdit",
                     "PasswordEdit",    "Button3",   "Button4",   "ListBox1", "Edit1",
                     "CheckBox1",       "CheckBox2", "Edit2",     "Edit3",    "Edit4",
                     "Edit5",           "Edit6",     "Edit7",     "Edit8",    "Edit9",
                     "Edit10",          "Edit11",    "Edit12",    "Edit13",   "Edit14",
                     "Edit15",          "Edit16",    "Edit17",    "Edit18",   "ChannelNameEdit",
                     "Edit18"}));
    // Cancel wrote nothing, and the dialog is gone.
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(data.ChannelNames, (Names{"Alpha", "Bravo", "Charlie"}));
    EXPECT_TRUE(reloads.empty());
    EXPECT_EQ(backend.modalForms(), Names{"TSettingsDlg"});
    for (ui::Component* c : app.components()) {
        EXPECT_EQ(dynamic_cast<TSettingsDlg*>(c), nullptr);
    }

    // The close button cancels as well, after an Apply whose save stays.
    backend.answerModalForms([](ui::Form& form) {
        auto& dlg = dynamic_cast<TSettingsDlg&>(form);
        dlg.AddressEdit->textEdited("applied.example.net");
        user::click(*dlg.ApplyBtn);
        dlg.AddressEdit->textEdited("dropped.example.net");
        user::closeForm(dlg);
        return ModalResult::None;
    });
    EXPECT_EQ(TSettingsDlg::Execute(links()), ModalResult::Cancel);
    EXPECT_EQ(readText(path, "host", "address", ""), "applied.example.net");
    EXPECT_EQ(data.HostAddress, "applied.example.net");
}

TEST_F(SettingsDlgTest, ApplyCountsAsAChangeOnlyForTextKeysAddingAndRemoving)
{
    TSettingsDlg& dlg = open();
    struct Case {
        const char* what;
        std::function<void()> act;
        bool enables;
    };
    const Case cases[] = {
        {"name typed", [&] { dlg.ChannelNameEdit->textEdited("X"); }, true},
        {"address typed", [&] { dlg.AddressEdit->textEdited("host"); }, true},
        {"password typed", [&] { dlg.PasswordEdit->textEdited("pw"); }, true},
        {"key captured",
         [&] {
             dlg.KeyEdits[4]->setFocus();
             user::pressKey(dlg, 'K');
         },
         true},
        {"channel added", [&] { user::click(*dlg.Button3); }, true},
        {"channel removed", [&] { user::click(*dlg.Button4); }, true},
        {"check box", [&] { user::click(*dlg.CheckBox1); }, false},
        {"selecting the entry the name field shows", [&] { user::selectItem(*dlg.ListBox1, 0); },
         false},
        {"selecting another entry", [&] { user::selectItem(*dlg.ListBox1, 2); }, true},
        {"move",
         [&] {
             dlg.ListBox1->setItemIndex(1);
             choose(dlg, dlg.MoveUp1);
         },
         false},
    };
    for (const Case& c : cases) {
        user::click(*dlg.ApplyBtn);
        ASSERT_FALSE(dlg.ApplyBtn->enabled()) << c.what;
        c.act();
        EXPECT_EQ(dlg.ApplyBtn->enabled(), c.enables) << c.what;
    }
    // Disabling the button that had the focus passes the focus on.
    user::click(*dlg.ApplyBtn);
    ASSERT_NE(dlg.activeControl(), nullptr);
    EXPECT_EQ(dlg.activeControl()->name(), "AddressEdit");
}

TEST_F(SettingsDlgTest, ApplySavesTheChannelSettingsAndReloadsTheProfile)
{
    TSettingsDlg& dlg = open();
    dlg.AddressEdit->textEdited("10.0.0.2");
    dlg.PasswordEdit->textEdited("");
    user::selectItem(*dlg.ListBox1, 0);
    user::click(*dlg.Button4);
    user::click(*dlg.ApplyBtn);
    EXPECT_EQ(reloads, Names{path});
    EXPECT_EQ(readBytes(path), "[options]\r\n"
                               "language=english\r\n"
                               "[host]\r\n"
                               "address=10.0.0.2\r\n"
                               "password=\r\n"
                               "[keys]\r\n"
                               "require_alt=0\r\n"
                               "require_ctrl=1\r\n"
                               "channel_up=107\r\n"
                               "channel0=96\r\n"
                               "channel1=97\r\n"
                               "decreasegain=0\r\n"
                               "channel_down=0\r\n"
                               "disconnect=0\r\n"
                               "traypop=0\r\n"
                               "increasevolume=0\r\n"
                               "decreasevolume=0\r\n"
                               "increasegain=0\r\n"
                               "channel2=0\r\n"
                               "channel3=0\r\n"
                               "channel4=0\r\n"
                               "channel5=0\r\n"
                               "channel6=0\r\n"
                               "channel7=0\r\n"
                               "channel8=0\r\n"
                               "channel9=0\r\n"
                               "[channels]\r\n"
                               "count=2\r\n"
                               "default=3\r\n"
                               "channel1=Bravo\r\n"
                               "channel2=Charlie\r\n"
                               "[sounds]\r\n"
                               "error=err.wav\r\n"
                               "channel0=lobby.wav\r\n"
                               "channel1=DEFAULT\r\n"
                               "channel2=charlie.wav\r\n");
    EXPECT_EQ(data.ChannelNames, (Names{"Bravo", "Charlie"}));
    EXPECT_EQ(data.ChannelCount, 2);
    EXPECT_EQ(data.HostAddress, "10.0.0.2");
    EXPECT_EQ(data.InitialChannel, 0); // "default=3" is beyond the two channels now
}

// Saves that cannot write the profile: the error box shows the fixed text, the file keeps
// every byte, the main window keeps the dialog's contents and does not reload, and OK still
// closes the dialog.
TEST_F(SettingsDlgTest, AFailedSaveShowsTheErrorAndLosesNothing)
{
    struct Case {
        const char* what;
        std::function<std::string()> prepare; // makes the profile; returns its path
    };
    const Case cases[] = {
        {"read-only file",
         [&] {
             writeBytes(path, kProfile);
             ::chmod(path.c_str(), 0444);
             return path;
         }},
        {"folder gone", [&] { return folder.file("gone/profile.ini"); }},
        {"a folder in its place",
         [&] {
             std::filesystem::create_directory(folder.file("dir.ini"));
             return folder.file("dir.ini");
         }},
        {"UTF-16 file",
         [&] {
             const std::string p = folder.file("wide.ini");
             writeBytes(p, std::string("\xFF\xFE[\0k\0]\0\r\0\n\0", 12));
             return p;
         }},
        {"oversized file",
         [&] {
             const std::string p = folder.file("huge.ini");
             writeBytes(p, kProfile);
             std::filesystem::resize_file(p, kMaxProfileSize + 1);
             return p;
         }},
    };
    for (const Case& c : cases) {
        const std::string target = c.prepare();
        const bool exists = std::filesystem::is_regular_file(target);
        const auto before = exists ? std::filesystem::file_size(target) : 0;
        const std::string head = exists ? firstBytes(target) : "";
        data = loadProfile(target);
        reloads.clear();
        backend.clearMessageBoxes();
        auto* dlg = new TSettingsDlg(&app, links());
        backend.answerModalForms([](ui::Form& form) {
            auto& d = dynamic_cast<TSettingsDlg&>(form);
            user::click(*d.Button3);
            d.AddressEdit->textEdited("typed.example.net");
            user::click(*d.OkBtn);
            return ModalResult::None;
        });
        EXPECT_EQ(dlg->showModal(), ModalResult::Ok) << c.what;
        ui::destroy(dlg);
        ASSERT_EQ(backend.messageBoxes().size(), 1u) << c.what;
        EXPECT_EQ(backend.messageBoxes()[0],
                  (ui::MessageBoxRequest{"Unable to write to " + target, "Kestrion",
                                         ui::MessageIcon::Error, ui::MessageButtons::Ok}))
            << c.what;
        EXPECT_EQ(data.HostAddress, "typed.example.net") << c.what;
        EXPECT_EQ(data.ChannelCount, static_cast<std::int32_t>(data.ChannelNames.size()));
        EXPECT_TRUE(reloads.empty()) << c.what;
        if (exists) {
            EXPECT_EQ(std::filesystem::file_size(target), before) << c.what;
            EXPECT_EQ(firstBytes(target), head) << c.what;
        }
        EXPECT_FALSE(std::filesystem::exists(folder.file("gone"))) << c.what;
    }
}

// A value that would give the voice client a command of its own is refused where the user
// types it: nothing is stored, the message names the value, its field takes the focus, and
// OK leaves the dialog open for the user to mend it.
TEST_F(SettingsDlgTest, ValuesThatWouldAddASwitchToTheClientsCommandAreRefusedAndNothingIsSaved)
{
    struct Case {
        const char* what;
        std::function<void(TSettingsDlg&)> type;
        std::string message;
        std::function<ui::WinControl*(TSettingsDlg&)> field;
    };
    const std::string refusal = "a double quote, a control character, or a \"/\" at its start "
                                "or after a blank would give RW a command of its own.";
    const Case cases[] = {
        {"channel name typed for the selected entry",
         [](TSettingsDlg& d) { d.ChannelNameEdit->textEdited("Charlie /shutdown"); },
         "The channel name \"Charlie /shutdown\" cannot be saved: " + refusal,
         [](TSettingsDlg& d) -> ui::WinControl* { return d.ChannelNameEdit; }},
        {"channel name added with +",
         [](TSettingsDlg& d) {
             d.ChannelNameEdit->textEdited("say \"hi\"");
             user::click(*d.Button3);
             d.ListBox1->selectedByUser(0);
         },
         "The channel name \"say \"hi\"\" cannot be saved: " + refusal,
         [](TSettingsDlg& d) -> ui::WinControl* { return d.ListBox1; }},
        {"password", [](TSettingsDlg& d) { d.PasswordEdit->textEdited("pw /file x"); },
         "The password cannot be saved: " + refusal,
         [](TSettingsDlg& d) -> ui::WinControl* { return d.PasswordEdit; }},
        {"address with a blank",
         [](TSettingsDlg& d) { d.AddressEdit->textEdited("10.0.0.1 /file \\\\host\\s\\x.rwc"); },
         "The basestation address cannot be saved: it must hold no blank, double quote or "
         "control character, and must not start with \"/\".",
         [](TSettingsDlg& d) -> ui::WinControl* { return d.AddressEdit; }},
        {"address with a line break",
         [](TSettingsDlg& d) { d.AddressEdit->textEdited("10.0.0.1\r\n"); },
         "The basestation address cannot be saved: it must hold no blank, double quote or "
         "control character, and must not start with \"/\".",
         [](TSettingsDlg& d) -> ui::WinControl* { return d.AddressEdit; }},
    };
    for (const Case& c : cases) {
        writeBytes(path, kProfile);
        const std::string before = readBytes(path);
        data = loadProfile(path);
        const ProfileData loaded = data;
        reloads.clear();
        backend.clearMessageBoxes();
        auto* dlg = new TSettingsDlg(&app, links());
        int okPresses = 0;
        backend.answerModalForms([&](ui::Form& form) {
            auto& d = dynamic_cast<TSettingsDlg&>(form);
            c.type(d);
            user::click(*d.ApplyBtn);
            user::click(*d.OkBtn);
            ++okPresses;
            EXPECT_EQ(form.modalResult(), ModalResult::None) << c.what;
            EXPECT_TRUE(c.field(d)->focused()) << c.what;
            user::click(*d.CancelBtn);
            return ModalResult::None;
        });
        EXPECT_EQ(dlg->showModal(), ModalResult::Cancel) << c.what;
        ui::destroy(dlg);
        EXPECT_EQ(okPresses, 1) << c.what;
        ASSERT_EQ(backend.messageBoxes().size(), 2u) << c.what; // Apply, then OK
        EXPECT_EQ(backend.messageBoxes()[0],
                  (ui::MessageBoxRequest{c.message, "Kestrion", ui::MessageIcon::Error,
                                         ui::MessageButtons::Ok}))
            << c.what;
        EXPECT_EQ(readBytes(path), before) << c.what;
        EXPECT_TRUE(reloads.empty()) << c.what;
        EXPECT_EQ(data.ChannelNames, loaded.ChannelNames) << c.what;
        EXPECT_EQ(data.HostAddress, loaded.HostAddress) << c.what;
        EXPECT_EQ(data.HostPassword, loaded.HostPassword) << c.what;
    }

    // Blanks and slashes that start no switch are a name's and a password's own business.
    TSettingsDlg& dlg = open();
    dlg.ChannelNameEdit->textEdited("Team A/B");
    dlg.PasswordEdit->textEdited("two words/x");
    backend.clearMessageBoxes();
    user::click(*dlg.ApplyBtn);
    EXPECT_TRUE(backend.messageBoxes().empty());
    EXPECT_EQ(data.ChannelNames, (Names{"Team A/B", "Bravo", "Charlie"}));
    EXPECT_EQ(data.HostPassword, "two words/x");
}

// A profile on a disk mounted read-only: a real read-only folder, even for an administrator.
TEST_F(SettingsDlgTest, AProfileOnAReadOnlyDiskIsLeftWhole)
{
    TempFolder disk;
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        GTEST_SKIP() << "no private mount namespace here (needs root)";
    }
    ASSERT_EQ(::mount("tmpfs", disk.path().c_str(), "tmpfs", 0, "size=64k"), 0);
    const std::string target = disk.file("profile.ini");
    writeBytes(target, kProfile);
    ASSERT_EQ(::mount(nullptr, disk.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    data = loadProfile(target);
    auto* dlg = new TSettingsDlg(&app, links());
    dlg->show();
    user::click(*dlg->Button4);
    user::click(*dlg->ApplyBtn);
    ::umount2(disk.path().c_str(), MNT_DETACH);
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    EXPECT_EQ(backend.messageBoxes()[0].text, "Unable to write to " + target);
    EXPECT_EQ(data.ChannelNames, (Names{"Bravo", "Charlie"}));
    EXPECT_TRUE(reloads.empty());
    EXPECT_FALSE(dlg->ApplyBtn->enabled());
}

TEST_F(SettingsDlgTest, HelpGoesToTheCheckBoxesContextsAndElseToTheDialogs)
{
    TSettingsDlg& dlg = open();
    // The help button, then a click on a control.
    dlg.HelpRequested(*dlg.CheckBox1);
    dlg.HelpRequested(*dlg.CheckBox2);
    dlg.HelpRequested(*dlg.KeyEdits[3]); // no context of its own: the dialog's
    dlg.HelpRequested(*dlg.KeyLabels[3]);
    dlg.HelpRequested(dlg);
    EXPECT_EQ(helps, (std::vector<std::int32_t>{6, 7, 5, 5, 5}));

    // F1 on every control that takes the focus but the key fields, where it is a key.
    helps.clear();
    const std::string keyShown = dlg.KeyEdits[0]->text();
    dlg.CheckBox2->setFocus();
    user::pressKey(dlg, ui::vk::F1);
    EXPECT_TRUE(dlg.CheckBox2->checked()); // F1 asked for help and did nothing else
    for (ui::WinControl* control :
         std::initializer_list<ui::WinControl*>{dlg.ListBox1, dlg.ChannelNameEdit, dlg.Button3,
                                                dlg.AddressEdit, dlg.OkBtn, dlg.ApplyBtn}) {
        control->setFocus();
        user::pressKey(dlg, ui::vk::F1);
    }
    EXPECT_EQ(helps, (std::vector<std::int32_t>{7, 5, 5, 5, 5, 5, 5}));
    EXPECT_EQ(dlg.KeyEdits[0]->text(), keyShown);
    EXPECT_EQ(dlg.ListBox1->items().count(), 3); // "+" was not pressed
}

TEST_F(SettingsDlgTest, TheLanguageFileReachesTheDialogsByTheirComponentNames)
{
    TempFolder languages;
    writeBytes(languages.file("Deutsch.lng"), "[TSettingsDlg]\r\n"
                                              "Caption='Kanaleinstellungen'\r\n"
                                              "ChannelNameEdit.Text='Kanalname'\r\n"
                                              "Panel1.Label13.Caption='Hoch'\r\n"
                                              "Delete1.Caption='L\xF6schen'\r\n"
                                              "[TSoundsDlg]\r\n"
                                              "RadioButton2.Caption='Eigener'\r\n");
    i18n::TbsCorePolyglot core;
    core.setLangsDir(languages.dir());
    core.SelectLang("Deutsch");
    auto* manager = new i18n::TbsPolyglotManager(&app);
    auto translated = ui::makeComponent<TSoundsDlg>(nullptr, manager);
    EXPECT_EQ(translated->RadioButton2->caption(), "Eigener");

    SettingsDlgLinks withManager = links();
    withManager.manager = manager;
    backend.answerModalForms([&](ui::Form& form) {
        auto& dlg = dynamic_cast<TSettingsDlg&>(form);
        EXPECT_EQ(dlg.caption(), "Kanaleinstellungen");
        EXPECT_EQ(dlg.KeyLabels[10]->caption(), "Hoch");
        EXPECT_EQ(dlg.Delete1->caption(), "L\xF6schen");
        EXPECT_EQ(manager->translators().size(), 2u);
        user::click(*dlg.Button3);
        EXPECT_EQ(items(dlg), Names{"Kanalname"});
        return ModalResult::Cancel;
    });
    writeBytes(path, "[channels]\r\ncount=0\r\n");
    data = loadProfile(path);
    TSettingsDlg::Execute(withManager);
    EXPECT_EQ(manager->translators().size(), 1u); // the freed dialog left the manager
    translated.reset();
    ui::destroy(manager);
}

} // namespace

TEST_F(SettingsDlgTest, AScreenReaderHearsEveryFieldByNameAndEveryKeyByItsName)
{
    TSettingsDlg& dlg = open();
    struct Case {
        ui::Control* control;
        std::string name;
    };
    std::vector<Case> cases = {
        {dlg.ListBox1, "Channels"},
        {dlg.ChannelNameEdit, "Channel name"},
        {dlg.Button3, "Add channel"},
        {dlg.Button4, "Remove channel"},
        {dlg.AddressEdit, "Basestation Address:"},
        {dlg.PasswordEdit, "Password"},
        // The check boxes and the buttons with words are named by the system, after their
        // captions.
        {dlg.CheckBox1, ""},
        {dlg.OkBtn, ""},
    };
    for (std::size_t i = 0; i < kHotkeyCount; ++i) {
        cases.push_back({dlg.KeyEdits[i], dlg.KeyLabels[i]->caption()});
        EXPECT_EQ(dlg.KeyLabels[i]->focusControl(), dlg.KeyEdits[i]) << i;
    }
    EXPECT_EQ(dlg.KeyEdits[0]->accessibleName(), "Channel0");
    EXPECT_EQ(dlg.KeyEdits[10]->accessibleName(), "Tune Up");
    for (const Case& c : cases) {
        EXPECT_EQ(c.control->accessibleName(), c.name) << c.control->name();
    }

    // A label follows its caption (a language file renames it), without its access-key mark.
    dlg.Label2->setCaption("&Mot de passe && code");
    EXPECT_EQ(dlg.PasswordEdit->accessibleName(), "Mot de passe & code");

    // Key fields: the code and the key's name, the lack of a key said in words.
    struct Key {
        std::size_t field;
        std::string value;
    };
    const Key keys[] = {{0, "96 (Num 0)"},
                        {1, "97 (Num 1)"},
                        {2, "0 (no key)"},
                        {10, "107 (Num +)"},
                        {17, "0 (no key)"}}; // 17 reads "112abc"
    for (const Key& k : keys) {
        EXPECT_EQ(dlg.KeyEdits[k.field]->accessible().value(), k.value) << k.field;
    }
    EXPECT_EQ(dlg.KeyEdits[3]->accessible().description(),
              "The next key you press is taken for this function; Tab moves to the next field.");

    // A captured key is told as a value change of its field, with the new value.
    backend.clearAccessibleEvents();
    dlg.KeyEdits[2]->setFocus();
    user::pressKey(dlg, ui::vk::F5);
    ASSERT_EQ(backend.accessibleEvents().size(), 1u);
    EXPECT_EQ(backend.accessibleEvents()[0].control, dlg.KeyEdits[2]);
    EXPECT_EQ(backend.accessibleEvents()[0].event, ui::AccessibleEvent::ValueChange);
    EXPECT_EQ(backend.accessibleEvents()[0].value, "116 (F5)");
    // A modifier alone is no key: nothing is told.
    user::pressKey(dlg, ui::vk::Shift, ui::ssShift);
    EXPECT_EQ(backend.accessibleEvents().size(), 1u);

    // A field whose label goes is named by the system again.
    ui::destroy(dlg.Label1);
    dlg.Label1 = nullptr;
    EXPECT_EQ(dlg.AddressEdit->accessibleName(), "");
}
