#include "hotkeys/HotkeyMatcher.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace hotkeys {

using profile::HotkeyAction;

unsigned messageFor(HotkeyAction action)
{
    switch (action) {
    case HotkeyAction::ChannelUp: return 0x401;
    case HotkeyAction::ChannelDown: return 0x402;
    case HotkeyAction::Channel1: return 0x403;
    case HotkeyAction::Channel2: return 0x404;
    case HotkeyAction::Channel3: return 0x405;
    case HotkeyAction::Channel4: return 0x406;
    case HotkeyAction::Channel5: return 0x407;
    case HotkeyAction::Channel6: return 0x408;
    case HotkeyAction::Channel7: return 0x409;
    case HotkeyAction::Channel8: return 0x40A;
    case HotkeyAction::Channel9: return 0x40B;
    case HotkeyAction::Channel0: return 0x40C;
    case HotkeyAction::Disconnect: return 0x40D;
    case HotkeyAction::TrayPop: return 0x40E;
    case HotkeyAction::IncreaseVolume: return 0x40F;
    case HotkeyAction::DecreaseVolume: return 0x410;
    case HotkeyAction::IncreaseGain: return 0x411;
    case HotkeyAction::DecreaseGain: return 0x412;
    }
    return 0;
}

namespace {

// Ctrl: VK_CONTROL, VK_LCONTROL, VK_RCONTROL; Alt: VK_MENU, VK_LMENU, VK_RMENU. The generic
// code comes first.
constexpr std::array<std::uint32_t, 3> kCtrlCodes = {kControlKey, 0xA2, 0xA3};
constexpr std::array<std::uint32_t, 3> kAltCodes = {kAltKey, 0xA4, 0xA5};

bool inGroup(const std::array<std::uint32_t, 3>& group, std::uint32_t code)
{
    return std::find(group.begin(), group.end(), code) != group.end();
}

} // namespace

void Matches::sortByMessage()
{
    std::sort(m_items.begin(), m_items.begin() + static_cast<std::ptrdiff_t>(m_count),
              [](const PostedMessage& a, const PostedMessage& b) { return a.message < b.message; });
}

bool HotkeyMatcher::anyHeld(const std::array<std::uint32_t, 3>& codes) const
{
    for (std::uint32_t code : codes)
        if (m_held.test(code))
            return true;
    return false;
}

// Brings one modifier in line with the system: a release the hook never saw ends it, and a
// press it never saw starts it (under the generic code, which any release of it ends).
void HotkeyMatcher::resync(const std::array<std::uint32_t, 3>& codes, bool down)
{
    if (!down) {
        for (std::uint32_t code : codes)
            m_held.reset(code);
    } else if (!anyHeld(codes)) {
        m_held.set(codes[0]);
    }
}

bool HotkeyMatcher::isHotkeyCode(std::uint32_t code) const
{
    return std::find(m_keys.codes.begin(), m_keys.codes.end(), static_cast<std::int32_t>(code)) !=
           m_keys.codes.end();
}

Matches HotkeyMatcher::onKey(const KeyEvent& event, const KeyState* system)
{
    Matches out;
    if (event.code == 0 || event.code > 255)
        return out;
    if (!event.down) {
        m_held.reset(event.code);
        // The system may report a modifier going up under another of its codes than it went
        // down with (the generic code for a left or right key); either side's release ends it.
        for (const auto& group : {kCtrlCodes, kAltCodes}) {
            if (inGroup(group, event.code))
                for (std::uint32_t code : group)
                    m_held.reset(code);
        }
        return out;
    }
    const bool modifier = inGroup(kCtrlCodes, event.code) || inGroup(kAltCodes, event.code);
    const bool hotkey = isHotkeyCode(event.code);
    bool repeat = m_held.test(event.code) && event.time - m_lastSeen[event.code] < kRepeatGap;
    if (system && hotkey && !modifier) {
        // A real repeat finds the key down already; one the system holds up was released
        // out of the hook's sight, and this is a new press.
        if (repeat && !system->isDown(event.code))
            repeat = false;
        resync(kCtrlCodes, system->isDown(kControlKey));
        resync(kAltCodes, system->isDown(kAltKey));
    }
    m_held.set(event.code);
    m_lastSeen[event.code] = event.time;
    if (repeat || !hotkey)
        return out;
    bool ctrl = anyHeld(kCtrlCodes);
    bool alt = anyHeld(kAltCodes);
    if (ctrl != m_keys.requireCtrl || alt != m_keys.requireAlt)
        return out;
    for (std::size_t i = 0; i < profile::kHotkeyCount; ++i) {
        if (m_keys.codes[i] != static_cast<std::int32_t>(event.code))
            continue;
        auto action = static_cast<HotkeyAction>(i);
        out.add({messageFor(action), action == HotkeyAction::TrayPop ? kTrayPopParam : 0});
    }
    out.sortByMessage();
    return out;
}

LengthPrefixedPath toLengthPrefixed(const std::string& path)
{
    LengthPrefixedPath p;
    std::size_t n = std::min<std::size_t>(path.size(), 255);
    p.bytes[0] = static_cast<unsigned char>(n);
    std::memcpy(p.bytes + 1, path.data(), n);
    return p;
}

std::string fromLengthPrefixed(const unsigned char* bytes)
{
    if (!bytes)
        return {};
    return std::string(reinterpret_cast<const char*>(bytes + 1), bytes[0]);
}

} // namespace hotkeys
