#pragma once
// Where the mouse pointer is and which window is in front.

#include "platform/WindowMessenger.h"

#include <optional>

namespace platform {

// A point in screen coordinates (pixels from the top left corner of the primary screen).
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // The pointer's position now; empty when the system does not tell (for example while
    // another desktop, such as the lock screen, is active).
    virtual std::optional<ScreenPoint> cursorPosition() = 0;
    // Makes the window the foreground window, the one that receives the keyboard input
    // (SetForegroundWindow). The system grants this only to the program the user is working
    // with, for example one whose notification-area icon was just clicked. False when it
    // refused or the window does not exist. The change may be seen (GetForegroundWindow) only
    // after the caller has handled its window messages again.
    virtual bool bringToForeground(WindowHandle window) = 0;
};

} // namespace platform
