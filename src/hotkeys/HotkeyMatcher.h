#pragma once
// Which window messages a key press sends to the main window, for the hook library.
//
// The matcher holds the hotkeys of a profile and sees every key event of the keyboard. A key
// goes off once per press: on its first key-down, not on the repeats the keyboard sends while
// it is held, and again only after it was released. The two modifier flags of the profile
// hold for every hotkey: Ctrl (or Alt) must be held when its flag is set and must not be held
// when it is not, so that a plain key never fires inside a Ctrl or Alt shortcut of another
// program. A code stored under several actions sends each of their messages. Key code 0 means
// "no key" and never matches.
//
// Which keys are held the matcher tells from the events it has seen (either Ctrl or Alt key,
// left or right). The hook is not shown every event, though: releases made over an elevated
// window, behind the secure desktop (Win+L, Ctrl+Alt+Del, a consent prompt) or while a hook
// call timed out never reach it. So when a hotkey's key goes down, the matcher asks the
// system which of Ctrl, Alt and that key it holds (KeyState) and believes the system: at that
// moment the system has taken in every earlier event, while its state for the event at hand
// is not yet updated, so the question is only asked about earlier keys.
//
// The matcher allocates nothing while it matches: the hook calls it for every key of the
// desktop.

#include "profile/Hotkeys.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>

namespace hotkeys {

// The message the hook library posts for each action, and the second parameter of the
// "traypop" message (the first parameter is always 0).
inline constexpr unsigned kChannelUpMessage = 0x401;
inline constexpr unsigned kTrayPopMessage = 0x40E;
inline constexpr std::intptr_t kTrayPopParam = 1038;
unsigned messageFor(profile::HotkeyAction action);

// The generic virtual-key codes of the modifiers (either side).
inline constexpr std::uint32_t kControlKey = 0x11;
inline constexpr std::uint32_t kAltKey = 0x12;

struct PostedMessage {
    unsigned message = 0;
    std::intptr_t lParam = 0;
    bool operator==(const PostedMessage&) const = default;
};

// The messages of one key event, in the order of their ids: at most one per action.
class Matches {
public:
    const PostedMessage* begin() const { return m_items.data(); }
    const PostedMessage* end() const { return m_items.data() + m_count; }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    const PostedMessage& operator[](std::size_t i) const { return m_items[i]; }
    void add(const PostedMessage& message) { m_items[m_count++] = message; }
    void sortByMessage();

private:
    std::array<PostedMessage, profile::kHotkeyCount> m_items{};
    std::size_t m_count = 0;
};

struct KeyEvent {
    std::uint32_t code = 0; // Windows virtual-key code
    bool down = false;      // key-down (true) or key-up (false)
    // When the event happened, in milliseconds (the system's event time).
    std::uint32_t time = 0;
};

// The system's view of the keyboard: whether it holds a key down (the generic modifier codes
// mean either side), as of the events before the one being matched.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool isDown(std::uint32_t code) const = 0;
};

// A key-down that comes this long after the last event of a key held down is a new press,
// not a repeat: the keyboard repeats a held key far more often, and so a release the hook
// never saw does not swallow the next press even where the system cannot be asked.
inline constexpr std::uint32_t kRepeatGap = 1200;

class HotkeyMatcher {
public:
    explicit HotkeyMatcher(const profile::Hotkeys& keys = {}) : m_keys(keys) {}

    // Takes new hotkeys; keys held at that moment stay held.
    void setHotkeys(const profile::Hotkeys& keys) { m_keys = keys; }
    const profile::Hotkeys& hotkeys() const { return m_keys; }

    // The messages to post for one key event; empty for most. With `system`, the held state
    // of Ctrl, Alt and the key itself is taken from it at a hotkey's key-down (see above);
    // without, from the events alone.
    Matches onKey(const KeyEvent& event, const KeyState* system = nullptr);

private:
    bool anyHeld(const std::array<std::uint32_t, 3>& codes) const;
    void resync(const std::array<std::uint32_t, 3>& codes, bool down);
    bool isHotkeyCode(std::uint32_t code) const;

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
