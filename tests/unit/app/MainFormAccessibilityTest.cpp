// The main window as a screen reader meets it: what the display and the bar say, which changes
// are told and announced, and the display's colours under high contrast.
#include "MainFormFixture.h"

#include "lcd/LCDLabel.h"
#include "ui/Color.h"
#include "ui/Raster.h"

#include <set>

using namespace mainformtest;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

// What the headless backend recorded, as "name-change <name>" / "value-change <value>".
std::vector<std::string> events(const ui::headless::HeadlessBackend& backend, const TMainForm& form)
{
    std::vector<std::string> out;
    for (const auto& e : backend.accessibleEvents()) {
        const std::string who = e.control == form.ChannelLCD   ? "display"
                                : e.control == form.ChannelBar ? "bar"
                                                               : "other";
        out.push_back(who + (e.event == ui::AccessibleEvent::NameChange ? " name " + e.name
                                                                        : " value " + e.value));
    }
    return out;
}

std::vector<std::string> spoken(const ui::headless::HeadlessBackend& backend)
{
    std::vector<std::string> out;
    for (const auto& a : backend.announcements())
        out.push_back(a.text);
    return out;
}

} // namespace

TEST_F(MainFormTest, TheDisplayReadsAsTextAndTheBarNamesTheChannelAndItsPlace)
{
    write(homeProfile, "[channels]\r\ncount=3\r\ndefault=2\r\nchannel1=Alpha\r\n"
                       "channel2=Lobby Chat\r\nchannel3=Charlie\r\n");
    TMainForm& f = start();
    EXPECT_EQ(f.ChannelLCD->accessible().role(), ui::AccessibleRole::StaticText);
    EXPECT_EQ(f.ChannelLCD->accessibleName(), "Lobby Chat");
    EXPECT_EQ(f.ChannelBar->accessible().role(), ui::AccessibleRole::System);
    EXPECT_EQ(f.ChannelBar->accessibleName(), "Channel");
    EXPECT_EQ(f.ChannelBar->accessible().value(), "Lobby Chat");
    EXPECT_EQ(f.ChannelBar->accessible().description(), "2 of 3");

    send(0x40C); // the lobby
    EXPECT_EQ(f.ChannelBar->accessible().value(), "Default");
    EXPECT_EQ(f.ChannelBar->accessible().description(), "0 of 3");
    send(0x40D); // disconnect
    EXPECT_EQ(f.ChannelLCD->accessibleName(), "Standing by...");
    EXPECT_EQ(f.ChannelBar->accessible().value(), "Standing by...");
}

TEST_F(MainFormTest, EveryChangeOfTheDisplayIsToldAndAnnouncedAndNothingElseIs)
{
    write(homeProfile,
          "[channels]\r\ncount=2\r\ndefault=1\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n");
    TMainForm& f = start();
    write(file("team.ini"), "[channels]\r\ncount=1\r\ndefault=1\r\nchannel1=Echo\r\n");
    backend.answerFileDialogs(
        [&](ui::OpenDialog&) -> std::optional<std::string> { return file("team.ini"); });

    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> events;
        std::vector<std::string> spoken;
    };
    const Case cases[] = {
        {"a channel key",
         [&] { send(0x404); },
         {"display name Bravo", "bar value Bravo"},
         {"Bravo"}},
        {"the same channel again", [&] { send(0x404); }, {}, {}},
        {"a step down", [&] { send(0x402); }, {"display name Alpha", "bar value Alpha"}, {"Alpha"}},
        {"the lobby",
         [&] { send(0x40C); },
         {"display name Default", "bar value Default"},
         {"Default"}},
        {"the bar",
         [&] { ui::headless::scroll(*f.ChannelBar, 2); },
         {"display name Bravo", "bar value Bravo"},
         {"Bravo"}},
        {"a disconnect",
         [&] { send(0x40D); },
         {"display name Standing by...", "bar value Standing by..."},
         {"Standing by..."}},
        {"a profile opened",
         [&] { ui::headless::chooseMenuItem(*f.Open1); },
         // Every step of the reload shows: the profile closed, the new one read, its channel.
         {"display name Stand by...", "bar value Stand by...", "display name Standing by...",
          "bar value Standing by...", "display name Echo", "bar value Echo"},
         {"Stand by...", "Standing by...", "Echo"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        backend.clearAccessibleEvents();
        c.act();
        EXPECT_EQ(events(backend, f), c.events);
        EXPECT_EQ(spoken(backend), c.spoken);
    }
}

TEST_F(MainFormTest, UnderHighContrastTheDisplayTakesTheSystemsColoursAndGivesThemBack)
{
    write(homeProfile, "[channels]\r\ncount=1\r\ndefault=1\r\nchannel1=WWWWWWWWWW\r\n");
    TMainForm& f = start();
    lcd::TLCDLabel& display = *f.ChannelLCD;
    display.setBackGround(ui::clSilver);
    display.setPixelOn(ui::clRed);
    display.setPixelOff(ui::clGreen);
    display.setBorderStyle(lcd::TMyBorder::frSingle);
    display.setBorderColor(ui::clBlue);

    const auto colours = [&] {
        ui::Raster image = display.screenPicture(ui::Raster(1, 1), ui::kDesignDpi, display.width(),
                                                 display.height());
        std::set<std::uint32_t> seen(image.pixels().begin(), image.pixels().end());
        return seen;
    };
    const std::set<std::uint32_t> normal = colours();
    EXPECT_EQ(normal, (std::set<std::uint32_t>{ui::clSilver, ui::clRed, ui::clGreen, ui::clBlue}));

    // The headless high-contrast theme: a black window, white text; unlit dots a third of
    // the way from black to white.
    backend.setHighContrast(true);
    f.systemColorsChanged();
    EXPECT_TRUE(display.needsRepaint());
    EXPECT_EQ(colours(), (std::set<std::uint32_t>{0x000000, 0xFFFFFF, 0x555555}));
    // The published colours are kept for when the setting goes off again.
    EXPECT_EQ(display.PixelOn(), ui::clRed);
    EXPECT_EQ(display.BackGround(), ui::clSilver);

    backend.setHighContrast(false);
    EXPECT_EQ(colours(), normal);
}
