#include "platform/TrayIcon.h"

namespace platform {

namespace {

bool sameIcon(const TrayIconData& a, const TrayIconData& b)
{
    return a.window == b.window && a.id == b.id;
}

} // namespace

TrayIcon::~TrayIcon()
{
    hide();
}

bool TrayIcon::show(const TrayIconData& icon)
{
    bool replacing = m_meantToBeShown && sameIcon(m_icon, icon);
    if (m_meantToBeShown && !replacing)
        m_area.remove(m_icon);
    m_icon = icon;
    m_meantToBeShown = true;
    // An icon shown before is normally still there; one that was refused or lost is not.
    if (replacing)
        return m_area.modify(m_icon) || m_area.add(m_icon);
    return m_area.add(m_icon) || m_area.modify(m_icon);
}

bool TrayIcon::showAgain()
{
    if (!m_meantToBeShown)
        return false;
    return m_area.add(m_icon) || m_area.modify(m_icon);
}

bool TrayIcon::hide()
{
    if (!m_meantToBeShown)
        return true;
    m_meantToBeShown = false;
    return m_area.remove(m_icon);
}

} // namespace platform
