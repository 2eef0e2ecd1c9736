#pragma once
// The pointer and the foreground window through GetCursorPos and SetForegroundWindow.

#include "platform/Desktop.h"

namespace platform {

class Win32Desktop : public Desktop {
public:
    std::optional<ScreenPoint> cursorPosition() override;
    bool bringToForeground(WindowHandle window) override;
};

} // namespace platform
