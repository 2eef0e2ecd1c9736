#include "hotkeys/HookWatch.h"

#include <algorithm>

namespace hotkeys {

void HookWatch::hookKeyDown()
{
    if (m_missed > 0)
        --m_missed; // late, but called: the hook is alive
    else if (m_ahead < kMaxAhead)
        ++m_ahead;
}

void HookWatch::rawKeyDown(std::uint32_t now)
{
    if (m_ahead > 0) {
        --m_ahead;
        return;
    }
    if (m_missed == 0)
        m_missedSince = now;
    ++m_missed;
}

bool HookWatch::installDue(std::uint32_t now) const
{
    return nextCheck(now) == std::optional<std::uint32_t>(0);
}

void HookWatch::installed(std::uint32_t now)
{
    m_lastInstall = now;
    m_missed = 0;
    m_ahead = 0;
}

std::optional<std::uint32_t> HookWatch::nextCheck(std::uint32_t now) const
{
    if (m_missed == 0)
        return std::nullopt;
    std::uint32_t missedFor = now - m_missedSince;
    std::uint32_t wait = missedFor < kGrace ? kGrace - missedFor : 0;
    if (m_lastInstall) {
        std::uint32_t since = now - *m_lastInstall;
        if (since < kMinInstallGap)
            wait = std::max(wait, kMinInstallGap - since);
    }
    return wait;
}

} // namespace hotkeys
