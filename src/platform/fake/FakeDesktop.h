#pragma once
// A pointer and a foreground window in memory. Logs "cursor" and "foreground <window>".

#include "platform/Desktop.h"
#include "platform/fake/CallLog.h"

#include <string>

namespace platform {

class FakeDesktop : public Desktop {
public:
    explicit FakeDesktop(CallLog& log) : m_log(log) {}

    // What cursorPosition() answers.
    std::optional<ScreenPoint> cursor = ScreenPoint{};
    // Whether bringToForeground() is granted.
    bool foregroundGranted = true;
    // The window last brought to the foreground.
    WindowHandle foreground = WindowHandle::None;

    std::optional<ScreenPoint> cursorPosition() override
    {
        m_log.push_back("cursor");
        return cursor;
    }

    bool bringToForeground(WindowHandle window) override
    {
        m_log.push_back("foreground " + std::to_string(static_cast<std::uintptr_t>(window)));
        if (!foregroundGranted || window == WindowHandle::None)
            return false;
        foreground = window;
        return true;
    }

private:
    CallLog& m_log;
};

} // namespace platform
