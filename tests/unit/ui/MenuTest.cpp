// Menus holding very many items: command numbers past 16 bits, and changes in batches.

#include "ui/Menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

struct Built {
    std::vector<std::string> captions;
    int changes = 0;
};

// A main menu with a submenu of automatic access keys, filled item by item as a profile's
// channels fill the Initial Channel menu; in one batch or change by change.
Built fillChannels(const std::vector<std::string>& names, bool inOneBatch)
{
    ui::ComponentPtr<ui::Component> owner = ui::makeComponent<ui::Component>(nullptr);
    auto* menu = new ui::MainMenu(owner.get());
    menu->setAutoHotkeys(ui::AutoHotkeys::Manual);
    auto* options = new ui::MenuItem(owner.get());
    options->setCaption("&Options");
    menu->items().add(options);
    auto* initial = new ui::MenuItem(owner.get());
    initial->setCaption("&Initial Channel");
    initial->setAutoHotkeys(ui::AutoHotkeys::Automatic);
    options->add(initial);
    for (const char* fixed : {"&None", "-", "&Default", "-"}) {
        auto* item = new ui::MenuItem(owner.get());
        item->setCaption(fixed);
        initial->add(item);
    }
    Built built;
    menu->OnChange = [&](ui::Persistent&) { ++built.changes; };
    {
        ui::MenuUpdate batch(inOneBatch ? menu : nullptr);
        int position = 0;
        for (const std::string& name : names) {
            auto* item = new ui::MenuItem(owner.get());
            item->setCaption(std::to_string(++position) + " - " + name);
            item->setRadioItem(true);
            initial->add(item);
            if (position == 3) {
                item->setChecked(true);
            }
        }
    }
    for (const ui::MenuItem* item : initial->items()) {
        built.captions.push_back(item->caption());
    }
    return built;
}

TEST(Menu, ABatchGivesTheAccessKeysOfChangeByChangeAndReportsOnce)
{
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back(i % 7 == 0 ? "Zulu" : "Team " + std::to_string(i));
    }
    names[41] = "";
    const Built oneByOne = fillChannels(names, false);
    const Built batched = fillChannels(names, true);
    EXPECT_EQ(batched.captions, oneByOne.captions);
    EXPECT_EQ(batched.captions[4], "&1 - Zulu");
    EXPECT_EQ(batched.captions[13], "1&0 - Team 9");
    EXPECT_EQ(batched.changes, 1);
    EXPECT_GT(oneByOne.changes, static_cast<int>(names.size()));

    // A name with an access key of its own keeps it, and in a batch no other item takes it,
    // even one that comes before it.
    names[40] = "Q&A";
    const Built withKey = fillChannels(names, true);
    EXPECT_EQ(withKey.captions[44], "41 - Q&A");
    int takenA = 0;
    for (const std::string& caption : withKey.captions) {
        const auto mark = caption.find('&');
        takenA += mark != std::string::npos && (caption[mark + 1] | 0x20) == 'a';
    }
    EXPECT_EQ(takenA, 1);

    // Nested batches report once, at the end of the outermost.
    ui::ComponentPtr<ui::Component> owner = ui::makeComponent<ui::Component>(nullptr);
    auto* menu = new ui::MainMenu(owner.get());
    int changes = 0;
    menu->OnChange = [&](ui::Persistent&) { ++changes; };
    {
        ui::MenuUpdate outer(menu);
        {
            ui::MenuUpdate inner(menu);
            auto* item = new ui::MenuItem(owner.get());
            item->setCaption("File");
            menu->items().add(item);
        }
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(menu->items().item(0)->caption(), "File"); // keys come at the end
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(menu->items().item(0)->caption(), "&File");
}

TEST(Menu, CommandNumbersStayUniquePastSixteenBitsAndAreGivenOutAgain)
{
    // More items than 16 bits can number: a profile at the limit of 65,535 channels with the
    // program's own menus beside them.
    constexpr int kItems = 70000;
    ui::ComponentPtr<ui::Component> owner = ui::makeComponent<ui::Component>(nullptr);
    auto* menu = new ui::PopupMenu(owner.get());
    menu->setAutoHotkeys(ui::AutoHotkeys::Manual);
    std::set<std::uint32_t> numbers;
    ui::MenuUpdate batch(menu);
    for (int i = 0; i < kItems; ++i) {
        auto* item = new ui::MenuItem(owner.get());
        item->setTag(i);
        menu->items().add(item);
        numbers.insert(item->command());
    }
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(kItems));
    EXPECT_EQ(numbers.count(0), 0u);
    ui::MenuItem* last = menu->items().item(kItems - 1);
    EXPECT_EQ(menu->findByCommand(last->command()), last);
    EXPECT_EQ(menu->findByCommand(menu->items().item(12345)->command())->tag(), 12345);

    // Emptied from the end and filled again: the same numbers, none new.
    const std::uint32_t highest = *numbers.rbegin();
    while (menu->items().count() > 0) {
        ui::destroy(menu->items().item(menu->items().count() - 1));
    }
    EXPECT_EQ(owner->componentCount(), 1); // the menu alone
    std::uint32_t highestNow = 0;
    for (int i = 0; i < kItems; ++i) {
        auto* item = new ui::MenuItem(owner.get());
        menu->items().add(item);
        highestNow = std::max(highestNow, item->command());
    }
    EXPECT_EQ(highestNow, highest);
}

} // namespace
