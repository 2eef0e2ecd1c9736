// The pointer and the foreground window, moved by xdotool and by the service.

#include "platform/win32/Win32Services.h"

#include "DesktopTestSupport.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace desktoptest;
using namespace wintest;
using platform::ScreenPoint;
using platform::WindowHandle;

namespace {

WindowHandle handleOf(HWND window)
{
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}

} // namespace

TEST(Win32Desktop, CursorPositionFollowsThePointer)
{
    auto& desktop = platform::win32DesktopServices().desktop;
    const ScreenPoint points[] = {{321, 234}, {0, 0}, {5, 1000}, {1279, 1023}};
    for (const auto& point : points) {
        ASSERT_EQ(wintest::runOnHost("/usr/bin/xdotool mousemove " + std::to_string(point.x) + " " +
                                     std::to_string(point.y)),
                  0);
        std::optional<ScreenPoint> seen;
        waitFor([&] {
            seen = desktop.cursorPosition();
            return seen == point;
        });
        ASSERT_TRUE(seen.has_value());
        EXPECT_EQ(seen->x, point.x);
        EXPECT_EQ(seen->y, point.y);
    }
}

TEST(Win32Desktop, BringsAWindowToTheForeground)
{
    auto& desktop = platform::win32DesktopServices().desktop;
    HWND first = CreateWindowExA(0, "STATIC", "first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
    HWND second = CreateWindowExA(0, "STATIC", "second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 10,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(first && second);

    for (HWND window : {first, second, first}) {
        EXPECT_TRUE(desktop.bringToForeground(handleOf(window)));
        EXPECT_TRUE(
            waitFor([&] { return GetForegroundWindow() == window; }, std::chrono::seconds(5)))
            << "foreground is " << GetForegroundWindow();
    }

    DestroyWindow(second);
    EXPECT_FALSE(desktop.bringToForeground(handleOf(second))) << "a window that is gone";
    EXPECT_FALSE(desktop.bringToForeground(WindowHandle::None));
    DestroyWindow(first);
}
