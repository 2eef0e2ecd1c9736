// The test form of the headless tests, now as real windows: the same model driven by the
// system's own notifications. KESTRION_UI_HOLD_MS=n keeps the form on screen n milliseconds
// at the end of the first test, for a screenshot.

#include "TestForm.h"
#include "WinTestSupport.h"
#include "base/win32/Handles.h"

#include "ui/Application.h"
#include "ui/win32/Win32Backend.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <commctrl.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;
using ui::win32::windowHandle;

std::string className(HWND hwnd)
{
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string textOf(HWND hwnd)
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

struct Win32Form : ::testing::Test {
    ui::win32::Win32Backend backend;
    ui::Application app;
    TTestForm& form = app.createForm<TTestForm>();

    Win32Form()
    {
        app.setTitle("Kestrion");
        app.setToolWindowOwner(true);
        form.setPosition(ui::FormPosition::ScreenCenter);
        form.show();
        SetForegroundWindow(windowHandle(form));
        UpdateWindow(windowHandle(form));
        app.processMessages();
        form.log.clear();
    }

    // Adds channel items "Name 1" to "Name <count>" to the Channels submenu.
    void addChannels(int count)
    {
        std::vector<std::string> names;
        for (int i = 1; i <= count; ++i) {
            names.push_back("Name " + std::to_string(i));
        }
        form.addChannelItems(names);
        app.processMessages();
    }
    // The real Channels submenu, as the menu bar holds it now.
    HMENU channelsMenu()
    {
        return GetSubMenu(GetSubMenu(GetMenu(windowHandle(form)), 1), form.Channels1->menuIndex());
    }

    void hold()
    {
        const char* ms = std::getenv("KESTRION_UI_HOLD_MS");
        if (!ms) {
            return;
        }
        const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(ms));
        while (GetTickCount() < until) {
            app.processMessages();
            Sleep(20);
        }
    }
};

TEST_F(Win32Form, EveryControlIsARealWindowShowingTheModel)
{
    struct Case {
        ui::Control* control;
        const char* windowClass;
        const char* text;
    };
    const Case cases[] = {
        {&form, "TTestForm", "Every Control"},
        {form.OkBtn, "Button", "OK"},
        {form.CheckBox1, "Button", "Require Alt Key"},
        {form.RadioButton2, "Button", "Custom"},
        {form.Edit1, "Edit", "Channel Name"},
        {form.PasswordEdit, "Edit", "Password"},
        {form.ListBox1, "ListBox", ""},
        {form.TrackBar1, "msctls_trackbar32", ""},
        {form.Label1, "Static", "Basestation &Address:"},
        {form.Panel1, "KestrionContainer", ""},
        {form.Label2, "Static", "Inside the panel"},
    };
    for (const Case& c : cases) {
        HWND hwnd = windowHandle(*c.control);
        ASSERT_NE(hwnd, nullptr) << c.control->name();
        EXPECT_STRCASEEQ(className(hwnd).c_str(), c.windowClass) << c.control->name();
        EXPECT_EQ(textOf(hwnd), c.text) << c.control->name();
    }
    EXPECT_EQ(GetParent(windowHandle(*form.Label2)), windowHandle(*form.Panel1));
    EXPECT_EQ(windowHandle(*form.Bevel1), windowHandle(form)); // windowless: drawn on the form
    EXPECT_EQ(SendMessageA(windowHandle(*form.PasswordEdit), EM_GETPASSWORDCHAR, 0, 0), '*');
    EXPECT_EQ(SendMessageA(windowHandle(*form.ListBox1), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(windowHandle(*form.TrackBar1), TBM_GETRANGEMAX, 0, 0), 5);
    HMENU bar = GetMenu(windowHandle(form));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    char caption[64] = {};
    GetMenuStringA(GetSubMenu(bar, 0), 2, caption, sizeof caption, MF_BYPOSITION);
    EXPECT_STREQ(caption, "E&xit");

    // The client area has the size the model asked for; the bar sits on its bottom edge.
    RECT client;
    GetClientRect(windowHandle(form), &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    RECT barRect;
    GetWindowRect(windowHandle(*form.TrackBar1), &barRect);
    MapWindowPoints(nullptr, windowHandle(form), reinterpret_cast<POINT*>(&barRect), 2);
    EXPECT_EQ(barRect.top, 259);
    EXPECT_EQ(barRect.bottom, 300);

    // The bevel's line, presented in one copy from its raster, is on the screen.
    {
        base::win32::WindowDC dc(windowHandle(form));
        EXPECT_EQ(GetPixel(dc.get(), 128, 10), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(GetPixel(dc.get(), 129, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    hold();
}

TEST_F(Win32Form, MenuCommandsAndButtonClicksReachTheHandlers)
{
    HWND hwnd = windowHandle(form);
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(form.Exit1->command(), 0), 0);
    SendMessageA(windowHandle(*form.OkBtn), BM_CLICK, 0, 0);
    SendMessageA(windowHandle(*form.CheckBox1), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(windowHandle(*form.CheckBox1), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(windowHandle(*form.RadioButton2), BM_CLICK, 0, 0);
    SendMessageA(windowHandle(*form.RadioButton1), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(windowHandle(*form.RadioButton2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(form.RadioB1->command(), 0), 0);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    GetMenuItemInfoA(GetMenu(hwnd), form.RadioB1->command(), FALSE, &info);
    EXPECT_TRUE(info.fState & MFS_CHECKED);
    EXPECT_EQ(form.log,
              (Log{"exit 1", "ok", "alt on", "custom sound", "default sound", "radio B"}));
}

TEST_F(Win32Form, TheTrackBarReportsEveryScrollNotificationAndEveryProgramMove)
{
    HWND bar = windowHandle(*form.TrackBar1);
    SetFocus(bar);
    SendMessageA(bar, WM_KEYDOWN, VK_RIGHT, 0); // TB_LINEDOWN
    SendMessageA(bar, WM_KEYUP, VK_RIGHT, 0);   // TB_ENDTRACK: the position stays
    EXPECT_EQ(form.TrackBar1->position(), 1);
    form.TrackBar1->setPosition(4);
    form.TrackBar1->setPosition(4);
    EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 4);
    SendMessageA(bar, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(form.log, (Log{"bar 1", "bar 1", "bar 4", "bar 5"}));
}

TEST_F(Win32Form, TypingKeysAndMessagesGoThroughTheModel)
{
    HWND edit = windowHandle(*form.Edit1);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 12, 12);
    SendMessageA(edit, WM_CHAR, '!', 0);
    EXPECT_EQ(form.Edit1->text(), "Channel Name!");
    EXPECT_EQ(form.activeControl(), form.Edit1);

    // A key down goes through the message loop to the form's key rules and the field's
    // handler, which swallows it: the read-only field shows the key code.
    HWND keyEdit = windowHandle(*form.KeyEdit);
    SetFocus(keyEdit);
    PostMessageA(keyEdit, WM_KEYDOWN, VK_F5, 0);
    PostMessageA(windowHandle(form), 0x401, 5, 6);
    form.postMessage(0x40E, 0, 516);
    app.processMessages();
    EXPECT_EQ(form.KeyEdit->text(), "116");
    EXPECT_EQ(textOf(keyEdit), "116");

    // A selection in the list box, as the list reports it.
    HWND list = windowHandle(*form.ListBox1);
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    SendMessageA(windowHandle(form), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(form.ListBox1->itemIndex(), 2);
    EXPECT_EQ(form.log, (Log{"edit Channel Name!", "message 0x401 5 6", "tray 516", "select 2"}));

    // The program's changes reach the windows.
    form.ListBox1->items().add("Delta");
    form.Edit1->setText("Bravo");
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(textOf(edit), "Bravo");
}

TEST_F(Win32Form, AListKeepsWhereTheUserScrolledWhenAnEntryIsSelected)
{
    for (int i = 0; i < 40; ++i)
        form.ListBox1->items().add("Channel " + std::to_string(i));
    HWND list = windowHandle(*form.ListBox1);
    // The user scrolls down with the scroll bar, then clicks an entry far down.
    for (int i = 0; i < 6; ++i)
        SendMessageA(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    const auto top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    ASSERT_GT(top, 10);
    EXPECT_EQ(form.ListBox1->topIndex(), top);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(top + 2), 0);
    SendMessageA(windowHandle(form), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(form.ListBox1->itemIndex(), top + 2);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), top);
}

TEST_F(Win32Form, ClosingTheFormByTheSystemAsksTheModel)
{
    form.OnClose = [](ui::Persistent&, ui::CloseAction& action) { action = ui::CloseAction::Hide; };
    SendMessageA(windowHandle(form), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(IsWindowVisible(windowHandle(form)));
    EXPECT_FALSE(app.terminated());
    EXPECT_TRUE(IsWindow(windowHandle(form)));
}

TEST_F(Win32Form, ALongSubmenuIsFilledWhenItOpensAndReportsChoicesByPlace)
{
    addChannels(100);
    HWND hwnd = windowHandle(form);
    const int place = form.Channels1->menuIndex();
    ASSERT_NE(channelsMenu(), nullptr);
    EXPECT_EQ(GetMenuItemCount(channelsMenu()), 0); // nothing while it is closed

    SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(channelsMenu()),
                 MAKELPARAM(place, FALSE));
    ASSERT_EQ(GetMenuItemCount(channelsMenu()), 100);
    for (int i : {0, 9, 99}) {
        char caption[64] = {};
        GetMenuStringA(channelsMenu(), static_cast<UINT>(i), caption, sizeof caption,
                       MF_BYPOSITION);
        EXPECT_EQ(caption, form.Channels1->item(i)->caption());
    }
    // Closed, the items go with the next menu bar, once the menu loop has ended.
    SendMessageA(hwnd, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(channelsMenu()), 0);
    app.processMessages();
    EXPECT_EQ(GetMenuItemCount(channelsMenu()), 100) << "replaced while the menu is open";
    SendMessageA(hwnd, WM_EXITMENULOOP, FALSE, 0);
    app.processMessages();
    EXPECT_EQ(GetMenuItemCount(channelsMenu()), 0);

    // A choice is reported by its place in the real menu.
    SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(channelsMenu()),
                 MAKELPARAM(place, FALSE));
    form.log.clear();
    SendMessageA(hwnd, WM_MENUCOMMAND, 41, reinterpret_cast<LPARAM>(channelsMenu()));
    EXPECT_EQ(form.log, (Log{"channel 42"}));
    EXPECT_TRUE(form.Channels1->item(41)->checked());
    // The short menus are whole at once and report by place as well.
    HMENU file = GetSubMenu(GetMenu(hwnd), 0);
    form.log.clear();
    SendMessageA(hwnd, WM_MENUCOMMAND, static_cast<WPARAM>(form.Exit1->menuIndex()),
                 reinterpret_cast<LPARAM>(file));
    EXPECT_EQ(form.log, (Log{"exit 1"}));
}

// A very long menu shows its items in groups of a thousand, each named after its first and
// last item: the system's menus grow at a cost that rises with their length.
TEST_F(Win32Form, AVeryLongSubmenuShowsItsItemsInGroupsThatChooseAsTheItemsDo)
{
    addChannels(2500);
    HWND hwnd = windowHandle(form);
    const int place = form.Channels1->menuIndex();
    SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(channelsMenu()),
                 MAKELPARAM(place, FALSE));
    ASSERT_EQ(GetMenuItemCount(channelsMenu()), 3);
    const int sizes[] = {1000, 1000, 500};
    for (int g = 0; g < 3; ++g) {
        HMENU group = GetSubMenu(channelsMenu(), g);
        ASSERT_NE(group, nullptr) << g;
        EXPECT_EQ(GetMenuItemCount(group), sizes[g]) << g;
        char caption[128] = {};
        GetMenuStringA(channelsMenu(), static_cast<UINT>(g), caption, sizeof caption,
                       MF_BYPOSITION);
        auto plain = [](std::string text) {
            text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
            return text;
        };
        const std::string expected =
            plain(form.Channels1->item(g * 1000)->caption()) + " \x85 " +
            plain(form.Channels1->item(g * 1000 + sizes[g] - 1)->caption());
        EXPECT_EQ(std::string(caption), expected) << g;
    }
    // The 2,042nd item is the 42nd of the third group, and chooses as itself.
    form.log.clear();
    SendMessageA(hwnd, WM_MENUCOMMAND, 41, reinterpret_cast<LPARAM>(GetSubMenu(channelsMenu(), 2)));
    EXPECT_EQ(form.log, (Log{"channel 2042"}));
    EXPECT_TRUE(form.Channels1->item(2041)->checked());
}

// A tick at every position, as the model has it, while positions are wider apart than a
// pixel; beyond that one per pixel, which looks the same and paints in constant time.
TEST_F(Win32Form, ABarDrawsNoMoreTicksThanItHasPixels)
{
    HWND bar = windowHandle(*form.TrackBar1);
    EXPECT_EQ(SendMessageA(bar, TBM_GETNUMTICS, 0, 0), 6); // 0 to 5
    RECT client{};
    GetClientRect(bar, &client);
    for (std::int32_t max : {1000, 65535}) {
        form.TrackBar1->setMax(max);
        app.processMessages();
        EXPECT_EQ(form.TrackBar1->frequency(), 1) << max;
        const auto ticks = SendMessageA(bar, TBM_GETNUMTICS, 0, 0);
        EXPECT_LE(ticks, client.right + 2) << max;
        EXPECT_GE(ticks, client.right / 2) << max;
        EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), max);
    }
    form.TrackBar1->setMax(5);
    app.processMessages();
    EXPECT_EQ(SendMessageA(bar, TBM_GETNUMTICS, 0, 0), 6);
}

TEST_F(Win32Form, ALongListBoxShowsTheModelsLinesAfterEveryKindOfChange)
{
    HWND list = windowHandle(*form.ListBox1);
    auto shown = [&] {
        std::vector<std::string> lines;
        const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[64] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            lines.emplace_back(text);
        }
        return lines;
    };
    std::vector<std::string> lines;
    for (int i = 0; i < 1000; ++i) {
        lines.push_back("Line " + std::to_string(i));
    }
    ui::StringList& items = form.ListBox1->items();
    const std::vector<std::function<void()>> changes = {
        [&] { items.assign(lines); },
        [&] { items.add("Added"); },
        [&] { items.remove(10); },
        [&] { items.exchange(500, 501); },
        [&] { items.set(0, "First"); },
        [&] { items.insert(3, "Line 3"); }, // the same text as its neighbour
        [&] { items.remove(999); },
        [&] {
            items.assign({"One", "Two"});
        },
        [&] { items.clear(); },
    };
    int step = 0;
    for (const auto& change : changes) {
        change();
        EXPECT_EQ(shown(), items.lines()) << "change " << step;
        ++step;
    }
}

} // namespace

TEST_F(Win32Form, AHintShowsWhenThePointerRestsOnItsControl)
{
    // The window procedures pass the pointer on to the tip.
    form.OkBtn->setHint("Closes the form");
    form.OkBtn->setShowHint(true);
    app.processMessages();
    const HWND button = windowHandle(*form.OkBtn);
    RECT r;
    GetWindowRect(button, &r);
    ASSERT_EQ(wintest::runOnHost("xdotool mousemove " + std::to_string((r.left + r.right) / 2) +
                                     " " + std::to_string((r.top + r.bottom) / 2) +
                                     " sleep 0.2 mousemove_relative 1 1",
                                 windowHandle(form)),
              0);
    const HWND tip = backend.tooltipWindow();
    const DWORD until = GetTickCount() + 5000;
    while (!IsWindowVisible(tip) && static_cast<LONG>(until - GetTickCount()) > 0) {
        app.processMessages();
        Sleep(20);
    }
    ASSERT_TRUE(IsWindowVisible(tip));
    char text[64] = {};
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = GetParent(button);
    info.uId = reinterpret_cast<UINT_PTR>(button);
    info.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, "Closes the form");
}
