#include "platform/win32/Win32Desktop.h"

#include <windows.h>

namespace platform {

std::optional<ScreenPoint> Win32Desktop::cursorPosition()
{
    POINT point{};
    if (!GetCursorPos(&point))
        return std::nullopt;
    return ScreenPoint{static_cast<int>(point.x), static_cast<int>(point.y)};
}

bool Win32Desktop::bringToForeground(WindowHandle window)
{
    HWND handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
    // SetForegroundWindow(NULL) is not an error to the system; to the caller it is.
    if (handle == nullptr || !IsWindow(handle))
        return false;
    return SetForegroundWindow(handle) != FALSE;
}

} // namespace platform
