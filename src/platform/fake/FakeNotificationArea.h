#pragma once
// A notification area in memory that keeps the icons as the shell would. Logs, one line per
// call:
//   tray add <window> <id> flags=<n> message=<hex> icon=<n> tip="<tooltip as cut>"
//   tray modify <same fields>
//   tray remove <window> <id>
//   tray icon <resource name>
// An add of an icon that exists, and a modify or remove of one that does not, are logged and
// fail, as they do with the shell.

#include "platform/NotificationArea.h"
#include "platform/fake/CallLog.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class FakeNotificationArea : public NotificationArea {
public:
    explicit FakeNotificationArea(CallLog& log) : m_log(log) {}

    // While false, the shell refuses every add, modify and remove, as when it is not running.
    bool shellRunning = true;
    // Forgets every icon, as a shell that has just restarted.
    void restartShell() { m_icons.clear(); }

    // The icons shown now, in order of adding, with the fields the shell holds (the tooltip
    // cut; a modify changes only the flagged fields).
    const std::vector<TrayIconData>& icons() const { return m_icons; }
    std::optional<TrayIconData> icon(WindowHandle window, std::uint32_t id) const;

    // Makes an icon resource of that name exist; returns the handle loadProgramIcon gives.
    IconHandle addProgramIcon(const std::string& name);

    bool add(const TrayIconData& icon) override;
    bool modify(const TrayIconData& icon) override;
    bool remove(const TrayIconData& icon) override;
    IconHandle loadProgramIcon(const std::string& resourceName) override;

private:
    void logRecord(const char* operation, const TrayIconData& icon);
    std::vector<TrayIconData>::iterator find(const TrayIconData& icon);

    CallLog& m_log;
    std::vector<TrayIconData> m_icons;
    std::map<std::string, IconHandle> m_programIcons; // by folded name
};

} // namespace platform
