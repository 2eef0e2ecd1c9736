// The notification area through the real shell of Wine: icons appear in its "Wine System
// Tray" window, and xdotool clicks on them reach the window named in the record.

#include "base/win32/Handles.h"
#include "platform/TrayIcon.h"
#include "platform/win32/Win32Services.h"

#include "DesktopTestSupport.h"
#include "WinTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

using namespace desktoptest;
using namespace wintest;
using platform::IconHandle;
using platform::TrayIcon;
using platform::TrayIconData;
using testing::Contains;
using testing::Each;
using testing::Pair;

namespace {

constexpr UINT CallbackMessage = 0x40E;
constexpr UINT IconId = 100;
constexpr char TrayWindowTitle[] = "Wine System Tray";

// The callbacks received by the test's window: (wParam, lParam) of every CallbackMessage.
std::vector<std::pair<WPARAM, LPARAM>> g_callbacks;

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CallbackMessage) {
        g_callbacks.emplace_back(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class NotificationAreaTest : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = recordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KestrionTrayTest";
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(0, "KestrionTrayTest", "tray owner", WS_OVERLAPPEDWINDOW, 0, 0,
                                   100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_window, nullptr);
        g_callbacks.clear();
    }
    void TearDown() override { DestroyWindow(m_window); }

    TrayIconData record(const std::string& tip = "Kestrion")
    {
        TrayIconData icon;
        icon.window =
            static_cast<platform::WindowHandle>(reinterpret_cast<std::uintptr_t>(m_window));
        icon.id = IconId;
        icon.flags = TrayIconData::MessageFlag | TrayIconData::IconFlag | TrayIconData::TipFlag;
        icon.callbackMessage = CallbackMessage;
        icon.icon = tray.loadProgramIcon("MAINICON");
        icon.tip = tip;
        return icon;
    }

    // The icons the tray window shows now, waiting up to a few seconds for `count` of them.
    static std::vector<HWND> trayIcons(std::size_t count)
    {
        std::vector<HWND> icons;
        waitFor(
            [&] {
                icons.clear();
                HWND tray = FindWindowA(nullptr, TrayWindowTitle);
                if (tray && IsWindowVisible(tray)) {
                    for (HWND child = GetWindow(tray, GW_CHILD); child;
                         child = GetWindow(child, GW_HWNDNEXT)) {
                        if (IsWindowVisible(child))
                            icons.push_back(child);
                    }
                }
                return icons.size() == count;
            },
            std::chrono::seconds(5));
        return icons;
    }

    // Clicks the middle of an icon; waits until the callback `awaited` has arrived. Under load
    // X now and then loses a click on an icon window that Wine has only just mapped (the
    // pointer's move arrives, the buttons do not), so a click that brought nothing is made
    // again, apart from the one before by more than the double-click time.
    static bool click(HWND icon, int button, int clicks, LPARAM awaited)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            waitFor([] { return false; }, std::chrono::milliseconds(GetDoubleClickTime() + 100));
            RECT bounds{};
            GetWindowRect(icon, &bounds);
            if (!clickAt((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2, button,
                         clicks))
                return false;
            bool arrived = waitFor(
                [&] {
                    for (const auto& callback : g_callbacks) {
                        if (callback.second == awaited)
                            return true;
                    }
                    return false;
                },
                std::chrono::seconds(3));
            if (arrived)
                return true;
        }
        return false;
    }

    platform::NotificationArea& tray = platform::win32DesktopServices().tray;
    HWND m_window = nullptr;
};

} // namespace

TEST_F(NotificationAreaTest, ProgramIconIsTheSmallIconOfTheModule)
{
    IconHandle icon = tray.loadProgramIcon("MAINICON");
    ASSERT_NE(icon, IconHandle::None);
    EXPECT_EQ(tray.loadProgramIcon("mainicon"), icon) << "shared: the same handle every time";
    EXPECT_EQ(tray.loadProgramIcon("NOSUCHICON"), IconHandle::None);

    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(static_cast<std::uintptr_t>(icon)), &info));
    // The icon's two bitmaps are the caller's.
    base::win32::UniqueBitmap color(info.hbmColor);
    base::win32::UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectA(color.get(), sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(bitmap.bmHeight, GetSystemMetrics(SM_CYSMICON));
}

TEST_F(NotificationAreaTest, ClicksOnTheIconReachItsWindow)
{
    TrayIcon icon(tray);
    ASSERT_TRUE(icon.show(record()));
    auto icons = trayIcons(1);
    ASSERT_EQ(icons.size(), 1u) << "no icon in the tray window";

    // Each click waits for a callback that only that click brings.
    ASSERT_TRUE(click(icons[0], 1, 1, WM_LBUTTONUP)) << testing::PrintToString(g_callbacks);
    EXPECT_THAT(g_callbacks, Contains(Pair(IconId, WM_LBUTTONDOWN)));
    EXPECT_TRUE(click(icons[0], 3, 1, WM_RBUTTONDOWN)) << testing::PrintToString(g_callbacks);
    EXPECT_TRUE(click(icons[0], 1, 2, WM_LBUTTONDBLCLK)) << testing::PrintToString(g_callbacks);
    EXPECT_THAT(g_callbacks, Each(testing::Key(IconId))) << "wParam is the icon's id";
}

TEST_F(NotificationAreaTest, ModifyAndRemoveActOnlyOnAnIconThatIsShown)
{
    TrayIconData icon = record();
    ASSERT_TRUE(tray.add(icon));
    EXPECT_FALSE(tray.add(icon)) << "one icon per window and id";
    ASSERT_EQ(trayIcons(1).size(), 1u);

    // A tooltip far over the record's 64 characters is cut, not written past the record.
    TrayIconData tipOnly = record(std::string(300, 'k'));
    tipOnly.flags = TrayIconData::TipFlag;
    EXPECT_TRUE(tray.modify(tipOnly));
    EXPECT_TRUE(tray.modify(record()));

    EXPECT_TRUE(tray.remove(icon));
    EXPECT_TRUE(trayIcons(0).empty());
    EXPECT_FALSE(tray.modify(icon));
    EXPECT_FALSE(tray.remove(icon));
}

TEST_F(NotificationAreaTest, ShownAgainAfterTheShellLostItAndRemovedWithItsOwner)
{
    {
        TrayIcon icon(tray);
        ASSERT_TRUE(icon.show(record()));
        ASSERT_EQ(trayIcons(1).size(), 1u);

        // What a restarted shell has lost: the icon is gone behind the owner's back.
        TrayIconData shown = record();
        ASSERT_TRUE(tray.remove(shown));
        ASSERT_TRUE(trayIcons(0).empty());
        EXPECT_TRUE(icon.showAgain());
        auto icons = trayIcons(1);
        ASSERT_EQ(icons.size(), 1u);
        ASSERT_TRUE(click(icons[0], 1, 1, WM_LBUTTONUP)) << "the icon shown again answers";

        // The message may also come while the icon is still there: still one icon.
        EXPECT_TRUE(icon.showAgain());
        EXPECT_EQ(trayIcons(1).size(), 1u);
    }
    EXPECT_TRUE(trayIcons(0).empty()) << "the owner removes the icon when it goes";
}
