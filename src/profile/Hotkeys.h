#pragma once
// The hotkeys of a profile: section "keys", read by the settings dialog and by the hook
// library, written by the channel-settings save.

#include "profile/IniFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace profile {

// The eighteen key entries, in the order the channel-settings save writes them.
enum class HotkeyAction : std::uint8_t {
    ChannelUp,
    ChannelDown,
    Disconnect,
    TrayPop,
    IncreaseVolume,
    DecreaseVolume,
    IncreaseGain,
    DecreaseGain,
    Channel0,
    Channel1,
    Channel2,
    Channel3,
    Channel4,
    Channel5,
    Channel6,
    Channel7,
    Channel8,
    Channel9,
};

inline constexpr std::size_t kHotkeyCount = 18;

// Profile key names of section "keys"; never translated.
inline constexpr std::string_view kKeysSection = "keys";
inline constexpr std::string_view kRequireAltKey = "require_alt";
inline constexpr std::string_view kRequireCtrlKey = "require_ctrl";
inline constexpr std::array<std::string_view, kHotkeyCount> kHotkeyNames = {
    "channel_up",   "channel_down", "disconnect", "traypop",  "increasevolume", "decreasevolume",
    "increasegain", "decreasegain", "channel0",   "channel1", "channel2",       "channel3",
    "channel4",     "channel5",     "channel6",   "channel7", "channel8",       "channel9",
};

inline constexpr std::string_view hotkeyName(HotkeyAction action)
{
    return kHotkeyNames[static_cast<std::size_t>(action)];
}

// The selecting action of channel position 0 to 9.
inline constexpr HotkeyAction channelHotkey(int position)
{
    return static_cast<HotkeyAction>(static_cast<int>(HotkeyAction::Channel0) + position);
}

struct Hotkeys {
    bool requireAlt = false;
    bool requireCtrl = false;
    // Windows virtual-key codes by action; 0 means no key.
    std::array<std::int32_t, kHotkeyCount> codes{};

    std::int32_t& operator[](HotkeyAction action)
    {
        return codes[static_cast<std::size_t>(action)];
    }
    std::int32_t operator[](HotkeyAction action) const
    {
        return codes[static_cast<std::size_t>(action)];
    }
    bool operator==(const Hotkeys&) const = default;
};

// Section "keys" of a read file; absent or unreadable entries give false and 0.
Hotkeys readHotkeys(const IniFile& file);
// Reads the file at `path` once for all entries.
Hotkeys readHotkeys(const std::string& path);

// Writes both flags, then the eighteen keys in the order of HotkeyAction, as the channel-
// settings save does.
void writeHotkeys(IniFile& file, const Hotkeys& keys);

} // namespace profile
