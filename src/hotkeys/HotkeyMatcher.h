#pragma once
// Which window messages a key press sends to the main window, for the hook library.
//
// The matcher holds the hotkeys of a profile and sees every key event of the keyboard. A key
// goes off once per press: on its first key-down, not on the repeats the keyboard sends while
// it is held, and again only after it was released. The two modifier flags of the profile
// hold for every hotkey: Ctrl (or Alt) must be held when its flag is set and must not be held
// when it is not, so that a plain key never fires inside a Ctrl or Alt shortcut of another
// program. Which modifiers are held the matcher tells from the events it has seen (either
// Ctrl or Alt key, left or right), since the system's own key state lags behind a low-level
// hook. A code
// stored under several actions sends each of their messages. Key code 0 means "no key" and never
// matches.

#include "profile/Hotkeys.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace hotkeys {

// The message the hook library posts for each action, and the second parameter of the
// "traypop" message (the first parameter is always 0).
inline constexpr unsigned kChannelUpMessage = 0x401;
inline constexpr unsigned kTrayPopMessage = 0x40E;
inline constexpr std::intptr_t kTrayPopParam = 1038;
unsigned messageFor(profile::HotkeyAction action);

struct PostedMessage {
    unsigned message = 0;
    std::intptr_t lParam = 0;
    bool operator==(const PostedMessage&) const = default;
};

struct KeyEvent {
    std::uint32_t code = 0; // Windows virtual-key code
    bool down = false;      // key-down (true) or key-up (false)
    // When the event happened, in milliseconds (the system's event time).
    std::uint32_t time = 0;
};

// A key-down that comes this long after the last event of a key held down is a new press,
// not a repeat: the keyboard repeats a held key far more often, and so a release the hook
// never saw (a key let go over a window whose keys it is not shown) does not swallow the
// next press.
inline constexpr std::uint32_t kRepeatGap = 1200;

class HotkeyMatcher {
public:
    explicit HotkeyMatcher(const profile::Hotkeys& keys = {}) : m_keys(keys) {}

    // Takes new hotkeys; keys held at that moment stay held.
    void setHotkeys(const profile::Hotkeys& keys) { m_keys = keys; }
    const profile::Hotkeys& hotkeys() const { return m_keys; }

    // The messages to post for one key event, in the order of the actions; empty for most.
    std::vector<PostedMessage> onKey(const KeyEvent& event);

private:
    bool anyHeld(const std::array<std::uint32_t, 3>& codes) const;

    profile::Hotkeys m_keys;
    std::bitset<256> m_held;
    std::array<std::uint32_t, 256> m_lastSeen{};
};

// The profile path as the hook library takes it: one length byte, then at most 255
// characters of the path (a longer path is cut to 255).
struct LengthPrefixedPath {
    unsigned char bytes[256] = {};
};
LengthPrefixedPath toLengthPrefixed(const std::string& path);
std::string fromLengthPrefixed(const unsigned char* bytes);

} // namespace hotkeys
