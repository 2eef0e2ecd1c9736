#pragma once
// The profile data the main window holds, and the profile operations on it: choosing the
// profile at start-up, loading it, saving the channel settings, storing single options.
// Keys, defaults and order are those of the profile file; see IniFile.h for how reads and
// writes behave on bad files.

#include "profile/Hotkeys.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace profile {

// The most channels a load takes; a larger "count" is read as this many, so that a damaged
// profile cannot make a load run out of memory. Far above any real channel list.
inline constexpr std::int32_t kMaxChannelCount = 65535;

// What a load of one profile yields.
struct ProfileData {
    bool SoundsEnabled = true;
    bool HideAtStart = false;
    std::string HostAddress = "127.0.0.1";
    std::string HostPassword;
    // "count" as stored (at most kMaxChannelCount); zero or less means no channels.
    std::int32_t ChannelCount = 1;
    // -1 none, 0 the lobby, p the channel at position p; a stored value above ChannelCount
    // loads as 0.
    std::int32_t InitialChannel = 0;
    // The name of position p at index p - 1.
    std::vector<std::string> ChannelNames;
    // The sound of position p at index p; index 0 is the lobby.
    std::vector<std::string> ChannelSounds;
    std::string ErrorSoundSetting = "DEFAULT";
    // The path that was loaded.
    std::string ProfilePath;
    // The language the profile names, for the main window to select.
    std::string Language = "english";

    bool operator==(const ProfileData&) const = default;
};

// True for "DEFAULT" in any letter case (a to z compared as A to Z): the built-in sound, or
// a channel joined like the lobby.
bool isDefaultKeyword(std::string_view value);

// The home profile of a program: its path with the extension replaced by ".ini".
std::string homeProfilePath(std::string_view programPath);

// The profile to load at start-up: "last_ini" of the home profile when a file of that path
// exists, else the home profile.
std::string ChooseProfilePath(const std::string& homeProfile);

// "use_rwc" of the home profile when a file of that path exists, else the empty text.
std::string ReadRwcSetting(const std::string& homeProfile);

// Stores `openedPath` as "last_ini" of the home profile, or the home profile's own path when
// no file `openedPath` exists. Throws ProfileWriteError.
void RememberProfilePath(const std::string& homeProfile, const std::string& openedPath);

// Loads the profile at `path`, reading the file once. Never fails: what cannot be read
// takes its default (a missing file gives one channel "DEFAULT", the lobby as initial
// channel, sounds on, address "127.0.0.1", language "english").
ProfileData loadProfile(const std::string& path);

// Saves the channel settings of `data` and `keys` to the profile at `path` as one
// replacement of the file. The edits are those of single writes in this order: "host"
// address and password; erase "channels", erase "sounds"; "count" (the number of
// ChannelNames) and "default" (InitialChannel); "error" and "channel0" of "sounds"; for each
// position the channel name, then its sound; the two flags and the eighteen keys of "keys".
// Sounds missing from ChannelSounds are written as "DEFAULT". Throws ProfileWriteError (the
// file then is exactly as before) or InvalidProfileEntry (nothing written).
void saveChannelSettings(const std::string& path, const ProfileData& data, const Hotkeys& keys);

// Single options of the menus, each one write of the profile at `path`; each throws
// ProfileWriteError.
void storeSoundsEnabled(const std::string& path, bool enabled);
void storeHideAtStart(const std::string& path, bool hide);
void storeInitialChannel(const std::string& path, std::int32_t channel);
void storeLanguage(const std::string& path, std::string_view language);

} // namespace profile
