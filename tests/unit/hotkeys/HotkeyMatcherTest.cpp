#include "hotkeys/HotkeyMatcher.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using hotkeys::HotkeyMatcher;
using hotkeys::KeyEvent;
using hotkeys::PostedMessage;
using profile::HotkeyAction;

namespace {

profile::Hotkeys everyAction()
{
    // F1..F18 (112..129) in the order of the actions.
    profile::Hotkeys keys;
    for (std::size_t i = 0; i < profile::kHotkeyCount; ++i)
        keys.codes[i] = static_cast<std::int32_t>(112 + i);
    return keys;
}

KeyEvent down(std::uint32_t code)
{
    return {code, true};
}
KeyEvent up(std::uint32_t code)
{
    return {code, false};
}

std::vector<PostedMessage> messages(const hotkeys::Matches& matches)
{
    return {matches.begin(), matches.end()};
}

// The system's key state as a test sets it: the keys in `down` are held.
class FakeKeyState : public hotkeys::KeyState {
public:
    bool isDown(std::uint32_t code) const override { return down.count(code) != 0; }
    std::set<std::uint32_t> down;
};

} // namespace

TEST(HotkeyMatcher, EachActionPostsItsMessage)
{
    HotkeyMatcher m(everyAction());
    struct Case {
        HotkeyAction action;
        unsigned message;
        std::intptr_t lParam;
    };
    const Case cases[] = {
        {HotkeyAction::ChannelUp, 0x401, 0},      {HotkeyAction::ChannelDown, 0x402, 0},
        {HotkeyAction::Channel1, 0x403, 0},       {HotkeyAction::Channel5, 0x407, 0},
        {HotkeyAction::Channel9, 0x40B, 0},       {HotkeyAction::Channel0, 0x40C, 0},
        {HotkeyAction::Disconnect, 0x40D, 0},     {HotkeyAction::TrayPop, 0x40E, 1038},
        {HotkeyAction::IncreaseVolume, 0x40F, 0}, {HotkeyAction::DecreaseVolume, 0x410, 0},
        {HotkeyAction::IncreaseGain, 0x411, 0},   {HotkeyAction::DecreaseGain, 0x412, 0},
    };
    for (const auto& c : cases) {
        auto code = static_cast<std::uint32_t>(m.hotkeys()[c.action]);
        EXPECT_EQ(messages(m.onKey(down(code))),
                  (std::vector<PostedMessage>{{c.message, c.lParam}}))
            << profile::hotkeyName(c.action);
        m.onKey(up(code));
    }
}

TEST(HotkeyMatcher, FiresOncePerPressNotOnRepeats)
{
    profile::Hotkeys keys;
    keys[HotkeyAction::Channel1] = 97;
    HotkeyMatcher m(keys);
    EXPECT_EQ(m.onKey(down(97)).size(), 1u);
    EXPECT_TRUE(m.onKey(down(97)).empty()); // auto-repeat
    EXPECT_TRUE(m.onKey(down(97)).empty());
    EXPECT_TRUE(m.onKey(up(97)).empty());
    EXPECT_EQ(m.onKey(down(97)).size(), 1u); // the next press
    // A press of another key in between does not release the first.
    EXPECT_TRUE(m.onKey(down(98)).empty());
    EXPECT_TRUE(m.onKey(down(97)).empty());
}

TEST(HotkeyMatcher, ModifierFlagsMustMatchExactly)
{
    // Ctrl and Alt as the keyboard reports them: left, right or generic key codes.
    struct Case {
        bool requireCtrl, requireAlt;
        std::vector<std::uint32_t> held;
        bool fires;
    };
    const Case cases[] = {
        {false, false, {}, true},      {false, false, {0xA2}, false},
        {false, false, {0xA4}, false}, {true, false, {0xA2}, true},
        {true, false, {0xA3}, true},   {true, false, {0x11}, true},
        {true, false, {}, false},      {true, false, {0xA2, 0xA5}, false},
        {false, true, {0xA5}, true},   {true, true, {0xA3, 0x12}, true},
        {true, true, {0xA2}, false},   {false, false, {0x10}, true}, // Shift does not count
    };
    for (const auto& c : cases) {
        profile::Hotkeys keys;
        keys.requireCtrl = c.requireCtrl;
        keys.requireAlt = c.requireAlt;
        keys[HotkeyAction::Disconnect] = 110;
        HotkeyMatcher m(keys);
        for (auto code : c.held)
            m.onKey(down(code));
        EXPECT_EQ(m.onKey(down(110)).size(), c.fires ? 1u : 0u)
            << c.requireCtrl << c.requireAlt << c.held.size();
        // Once the modifiers are released, only a profile of plain keys fires.
        m.onKey(up(110));
        for (auto code : c.held)
            m.onKey(up(code));
        EXPECT_EQ(m.onKey(down(110)).size(), !c.requireCtrl && !c.requireAlt ? 1u : 0u);
    }
}

TEST(HotkeyMatcher, ALostReleaseDoesNotSwallowTheNextPress)
{
    profile::Hotkeys keys;
    keys[HotkeyAction::Channel1] = 116;
    HotkeyMatcher m(keys);
    struct Step {
        std::uint32_t time;
        bool fires;
    };
    // Key-downs only: the releases never reach the hook.
    const Step steps[] = {
        {1000, true},  {1500, false}, {1530, false}, {2500, false}, // held and repeating
        {3800, true},                                               // 1.3 s of silence
        {3830, false},
    };
    for (const auto& s : steps)
        EXPECT_EQ(m.onKey({116, true, s.time}).size(), s.fires ? 1u : 0u) << s.time;
}

TEST(HotkeyMatcher, LostModifierReleasesAreCorrectedByTheSystemState)
{
    // Each modifier code goes down where the hook sees it and comes up where it does not
    // (over an elevated window, behind Win+L or Ctrl+Alt+Del, during a hook time-out).
    const std::uint32_t modifiers[] = {0x11, 0xA2, 0xA3, 0x12, 0xA4, 0xA5};
    for (std::uint32_t lost : modifiers) {
        const bool isCtrl = lost == 0x11 || lost == 0xA2 || lost == 0xA3;
        const std::uint32_t generic = isCtrl ? 0x11 : 0x12;
        FakeKeyState system;
        for (bool requireIt : {false, true}) {
            profile::Hotkeys keys;
            keys.requireCtrl = isCtrl && requireIt;
            keys.requireAlt = !isCtrl && requireIt;
            keys[HotkeyAction::Channel3] = 116;
            HotkeyMatcher m(keys);
            system.down = {generic};
            m.onKey({lost, true, 1000}, &system);
            system.down = {}; // released; the hook never heard of it
            // A plain profile is not refused for a modifier believed held; one that needs the
            // modifier does not fire without it.
            EXPECT_EQ(m.onKey({116, true, 2000}, &system).size(), requireIt ? 0u : 1u)
                << std::hex << lost << " require " << requireIt;
            m.onKey({116, false, 2050}, &system);
            // Held again, as the user presses it for the hotkey.
            m.onKey({lost, true, 3000}, &system);
            system.down = {generic};
            EXPECT_EQ(m.onKey({116, true, 3100}, &system).size(), requireIt ? 1u : 0u)
                << std::hex << lost << " require " << requireIt;
        }
    }
}

TEST(HotkeyMatcher, AModifierHeldOutOfTheHooksSightCountsAsHeld)
{
    // Pressed over an elevated window, still held when the hotkey goes down elsewhere.
    struct Case {
        bool requireCtrl, requireAlt;
        std::set<std::uint32_t> systemHolds;
        bool fires;
    };
    const Case cases[] = {
        {true, false, {0x11}, true},      {false, false, {0x11}, false},
        {false, true, {0x12}, true},      {false, false, {0x12}, false},
        {true, true, {0x11, 0x12}, true}, {true, true, {0x11}, false},
    };
    for (const auto& c : cases) {
        profile::Hotkeys keys;
        keys.requireCtrl = c.requireCtrl;
        keys.requireAlt = c.requireAlt;
        keys[HotkeyAction::Disconnect] = 110;
        HotkeyMatcher m(keys);
        FakeKeyState system;
        system.down = c.systemHolds;
        EXPECT_EQ(m.onKey(down(110), &system).size(), c.fires ? 1u : 0u)
            << c.requireCtrl << c.requireAlt << c.systemHolds.size();
        // Its release, when the hook sees it, ends it like any other.
        m.onKey(up(110), &system);
        for (auto code : c.systemHolds)
            m.onKey(up(code), &system);
        system.down = {};
        EXPECT_EQ(m.onKey(down(110), nullptr).size(), !c.requireCtrl && !c.requireAlt ? 1u : 0u);
    }
}

TEST(HotkeyMatcher, AHotkeyWhoseReleaseWasLostFiresAtOnceOnTheNextPress)
{
    profile::Hotkeys keys;
    keys[HotkeyAction::Channel1] = 116;
    HotkeyMatcher m(keys);
    FakeKeyState system;
    EXPECT_EQ(m.onKey({116, true, 1000}, &system).size(), 1u);
    system.down = {116};
    EXPECT_TRUE(m.onKey({116, true, 1030}, &system).empty());  // the keyboard repeats it
    system.down = {};                                          // let go out of the hook's sight
    EXPECT_EQ(m.onKey({116, true, 1200}, &system).size(), 1u); // well within the repeat gap
    system.down = {116};
    EXPECT_TRUE(m.onKey({116, true, 1230}, &system).empty());
}

TEST(HotkeyMatcher, AModifierReleasedUnderItsGenericCodeCountsAsReleased)
{
    profile::Hotkeys keys; // plain keys
    keys[HotkeyAction::Channel1] = 116;
    HotkeyMatcher m(keys);
    m.onKey(down(0xA2)); // left Ctrl down
    m.onKey(up(0x11));   // Ctrl up
    EXPECT_EQ(m.onKey(down(116)).size(), 1u);
    m.onKey(up(116));
    m.onKey(down(0x12)); // Alt down
    m.onKey(up(0xA5));   // right Alt up
    EXPECT_EQ(m.onKey(down(116)).size(), 1u);
}

TEST(HotkeyMatcher, SharedCodesPostEveryActionAndZeroNeverMatches)
{
    profile::Hotkeys keys; // all codes 0
    keys[HotkeyAction::Channel0] = 96;
    keys[HotkeyAction::ChannelDown] = 96;
    HotkeyMatcher m(keys);
    EXPECT_EQ(messages(m.onKey(down(96))), (std::vector<PostedMessage>{{0x402, 0}, {0x40C, 0}}));
    EXPECT_TRUE(m.onKey(down(0)).empty());
    // One code under every action at once posts all eighteen messages, in order.
    profile::Hotkeys all;
    all.codes.fill(65);
    HotkeyMatcher every(all);
    auto posted = messages(every.onKey(down(65)));
    ASSERT_EQ(posted.size(), profile::kHotkeyCount);
    for (std::size_t i = 0; i < posted.size(); ++i)
        EXPECT_EQ(posted[i].message, 0x401u + i);
    EXPECT_TRUE(m.onKey(down(300)).empty()); // no such key code
}

TEST(HotkeyMatcher, NewHotkeysApplyToTheNextPress)
{
    profile::Hotkeys keys;
    keys[HotkeyAction::Channel1] = 65;
    HotkeyMatcher m(keys);
    EXPECT_EQ(m.onKey(down(65)).size(), 1u);
    keys[HotkeyAction::Channel1] = 66;
    m.setHotkeys(keys);
    EXPECT_TRUE(m.onKey(up(65)).empty());
    EXPECT_TRUE(m.onKey(down(65)).empty());
    EXPECT_EQ(messages(m.onKey(down(66))), (std::vector<PostedMessage>{{0x403, 0}}));
}

TEST(HotkeyMatcher, PathsAreLengthPrefixedAndCutAt255)
{
    struct Case {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"C:\\Games\\kestrion.ini", "C:\\Games\\kestrion.ini"},
        {std::string(255, 'a'), std::string(255, 'a')},
        {std::string(300, 'b'), std::string(255, 'b')},
        {"caf\xe9.ini", "caf\xe9.ini"},
    };
    for (const auto& c : cases) {
        auto p = hotkeys::toLengthPrefixed(c.path);
        EXPECT_EQ(p.bytes[0], c.expected.size());
        EXPECT_EQ(hotkeys::fromLengthPrefixed(p.bytes), c.expected);
    }
    EXPECT_EQ(hotkeys::fromLengthPrefixed(nullptr), "");
}
