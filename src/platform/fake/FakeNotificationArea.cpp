#include "platform/fake/FakeNotificationArea.h"

#include "platform/fake/FoldCase.h"

#include <algorithm>
#include <cstdio>

namespace platform {

void FakeNotificationArea::logRecord(const char* operation, const TrayIconData& icon)
{
    char fields[96];
    std::snprintf(fields, sizeof fields, " %ju %u flags=%u message=0x%X icon=%ju tip=\"",
                  static_cast<std::uintmax_t>(icon.window), icon.id, icon.flags,
                  icon.callbackMessage, static_cast<std::uintmax_t>(icon.icon));
    m_log.push_back(std::string("tray ") + operation + fields + trayTipText(icon.tip) + "\"");
}

std::vector<TrayIconData>::iterator FakeNotificationArea::find(const TrayIconData& icon)
{
    return std::find_if(m_icons.begin(), m_icons.end(), [&icon](const TrayIconData& shown) {
        return shown.window == icon.window && shown.id == icon.id;
    });
}

std::optional<TrayIconData> FakeNotificationArea::icon(WindowHandle window, std::uint32_t id) const
{
    for (const auto& shown : m_icons) {
        if (shown.window == window && shown.id == id)
            return shown;
    }
    return std::nullopt;
}

IconHandle FakeNotificationArea::addProgramIcon(const std::string& name)
{
    auto handle = static_cast<IconHandle>(0x100 + m_programIcons.size());
    return m_programIcons.emplace(foldCase(name), handle).first->second;
}

bool FakeNotificationArea::add(const TrayIconData& icon)
{
    logRecord("add", icon);
    if (!shellRunning || find(icon) != m_icons.end())
        return false;
    TrayIconData shown = icon;
    shown.tip = trayTipText(icon.tip);
    m_icons.push_back(std::move(shown));
    return true;
}

bool FakeNotificationArea::modify(const TrayIconData& icon)
{
    logRecord("modify", icon);
    auto shown = find(icon);
    if (!shellRunning || shown == m_icons.end())
        return false;
    if (icon.flags & TrayIconData::MessageFlag)
        shown->callbackMessage = icon.callbackMessage;
    if (icon.flags & TrayIconData::IconFlag)
        shown->icon = icon.icon;
    if (icon.flags & TrayIconData::TipFlag)
        shown->tip = trayTipText(icon.tip);
    shown->flags |= icon.flags;
    return true;
}

bool FakeNotificationArea::remove(const TrayIconData& icon)
{
    m_log.push_back("tray remove " + std::to_string(static_cast<std::uintptr_t>(icon.window)) +
                    " " + std::to_string(icon.id));
    auto shown = find(icon);
    if (!shellRunning || shown == m_icons.end())
        return false;
    m_icons.erase(shown);
    return true;
}

IconHandle FakeNotificationArea::loadProgramIcon(const std::string& resourceName)
{
    m_log.push_back("tray icon " + resourceName);
    auto it = m_programIcons.find(foldCase(resourceName));
    return it == m_programIcons.end() ? IconHandle::None : it->second;
}

} // namespace platform
