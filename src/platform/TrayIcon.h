#pragma once
// The program's icon in the notification area, as a resource: the owner remembers the icon it
// was asked to show, shows it again after the shell restarted, and removes it when it goes.

#include "platform/NotificationArea.h"

namespace platform {

class TrayIcon {
public:
    // The notification area must outlive the owner.
    explicit TrayIcon(NotificationArea& area) : m_area(area) {}
    // Removes the icon if it is meant to be shown.
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows the icon, or changes the one shown if this owner shows one of the same window and
    // id already (another window or id replaces it). The icon counts as meant to be shown
    // from here on even when the shell refused it (it may not be running yet), so that
    // showAgain() brings it once the shell is there. Result of the add or modify.
    bool show(const TrayIconData& icon);

    // For the shell's "TaskbarCreated" message: adds the icon again. The shell that sends it
    // has normally lost every icon; if this one survived, it is brought up to date instead.
    // False when nothing is meant to be shown or the shell refused.
    bool showAgain();

    // Removes the icon; afterwards nothing is meant to be shown. Nothing happens, and the
    // result is true, when nothing was. False when the shell no longer had the icon.
    bool hide();

    // Whether show() was called since the last hide().
    bool meantToBeShown() const { return m_meantToBeShown; }
    // The icon last given to show().
    const TrayIconData& icon() const { return m_icon; }

private:
    NotificationArea& m_area;
    TrayIconData m_icon;
    bool m_meantToBeShown = false;
};

} // namespace platform
