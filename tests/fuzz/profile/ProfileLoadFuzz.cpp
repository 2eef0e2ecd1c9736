// A whole profile load, as the program and the hook library make it, of any bytes a team mate
// might send as a profile: the profile data, the hotkeys, and the key table the hook library
// matches keys against.
//
// Checked: nothing faults and nothing takes long (the run's time limit per input); the load
// keeps its promises (a count within its bound, one name per channel and one sound more than
// names, no initial channel beyond the count); the hook library's reading agrees with the
// program's.

#include "hotkeys/HotkeyMatcher.h"
#include "hotkeys/KeySource.h"
#include "profile/Hotkeys.h"
#include "profile/ProfileData.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

#define check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "ProfileLoadFuzz.cpp:%d: %s\n", __LINE__, #condition);            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

const std::string& profilePath()
{
    static const std::string path =
        "/tmp/kestrion-profile-load-fuzz-" + std::to_string(::getpid()) + ".ini";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = profilePath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const profile::ProfileData loaded = profile::loadProfile(path);
    check(loaded.ChannelCount <= profile::kMaxChannelCount);
    check(loaded.ChannelNames.size() <= static_cast<std::size_t>(profile::kMaxChannelCount));
    check(loaded.ChannelSounds.size() == loaded.ChannelNames.size() + 1);
    check(loaded.InitialChannel <= std::max<std::int32_t>(loaded.ChannelCount, 0));

    const profile::Hotkeys keys = profile::readHotkeys(path);
    const auto watched = hotkeys::tryReadHotkeys(path);
    check(!watched || *watched == keys);

    // Every key goes through the table once, down and up.
    hotkeys::HotkeyMatcher matcher(keys);
    for (std::uint32_t code = 1; code < 256; ++code) {
        matcher.onKey({code, true});
        matcher.onKey({code, false});
    }
    return 0;
}
