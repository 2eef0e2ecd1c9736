#pragma once
// The hotkeys in force for the hook library, taken from the profile and taken again when the
// profile changes. It is used off the hook's own path: reading a file may block, and the
// hook must never wait.
//
// What a read yields:
// - A readable profile gives its "keys" section, as the settings dialog reads it; a file
//   that exists but holds no "keys" section (or is empty) means no hotkeys.
// - A profile that is missing, cannot be read (locked, a folder, too large, UTF-16) keeps
//   the keys in force, and the next look reads it again whatever its stamp: a file being
//   replaced or opened by someone else for a moment does not take the hotkeys away.

#include "profile/Hotkeys.h"

#include <cstdint>
#include <optional>
#include <string>

namespace hotkeys {

// What the system tells about the profile file without reading it: any change of it means the
// file may hold other keys. The file id, where it is known, changes when a save replaces the
// file by a new one.
struct FileStamp {
    bool exists = false;
    std::uint64_t writeTime = 0;
    std::uint64_t size = 0;
    std::uint64_t fileId = 0;
    bool operator==(const FileStamp&) const = default;
};

// The "keys" section of the profile at `path`, or nothing when the file is missing or cannot
// be read.
std::optional<profile::Hotkeys> tryReadHotkeys(const std::string& path);

class KeySource {
public:
    enum class Refresh {
        IfStampChanged, // read only when the stamp differs from that of the last good read
        Always,         // read now (the folder reported a change)
    };

    // Reads nothing yet: until the first good read there are no hotkeys.
    explicit KeySource(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }
    const profile::Hotkeys& keys() const { return m_keys; }

    // Reads the profile as `how` says, `stamp` having been taken just before. Returns true
    // when the keys in force changed.
    bool refresh(const FileStamp& stamp, Refresh how);

private:
    std::string m_path;
    profile::Hotkeys m_keys;
    std::optional<FileStamp> m_lastGoodStamp;
};

} // namespace hotkeys
