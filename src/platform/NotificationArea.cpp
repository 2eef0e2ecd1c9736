#include "platform/NotificationArea.h"

namespace platform {

std::string trayTipText(std::string_view tip)
{
    tip = tip.substr(0, tip.find('\0'));
    return std::string(tip.substr(0, TrayIconData::TipCapacity - 1));
}

} // namespace platform
