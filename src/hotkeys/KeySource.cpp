#include "hotkeys/KeySource.h"

#include "profile/IniFile.h"

namespace hotkeys {

std::optional<profile::Hotkeys> tryReadHotkeys(const std::string& path)
{
    profile::IniFile file(path);
    if (!file.readable())
        return std::nullopt;
    return profile::readHotkeys(file);
}

bool KeySource::refresh(const FileStamp& stamp, Refresh how)
{
    if (how == Refresh::IfStampChanged && m_lastGoodStamp == stamp)
        return false;
    std::optional<profile::Hotkeys> read = tryReadHotkeys(m_path);
    if (!read)
        return false; // tried again at the next look, since no good read has this stamp
    // The stamp was taken before the read: a change in between is read again next time.
    m_lastGoodStamp = stamp;
    if (*read == m_keys)
        return false;
    m_keys = *read;
    return true;
}

} // namespace hotkeys
