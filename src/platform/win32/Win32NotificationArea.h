#pragma once
// The task bar's notification area through Shell_NotifyIconA, with records of the first form
// (NOTIFYICONDATAA_V1_SIZE).

#include "platform/NotificationArea.h"

namespace platform {

class Win32NotificationArea : public NotificationArea {
public:
    bool add(const TrayIconData& icon) override;
    bool modify(const TrayIconData& icon) override;
    bool remove(const TrayIconData& icon) override;
    IconHandle loadProgramIcon(const std::string& resourceName) override;
};

} // namespace platform
