// The two dialogs as real windows under the Windows backend, driven with the system's own
// input: keys and clicks from xdotool reach the windows through the X server, as a user's
// would. The settings dialog is opened from a menu command of a small stand-in for the
// main window that holds the profile data, reloads them and lists the channels in an
// Initial Channel menu, as the program's main window does.
//
// KESTRION_SCREENSHOT_DIR=/some/folder (a Linux path) keeps a picture of each dialog there.

#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"

#include "UiDriver.h"
#include "WinTestSupport.h"

#include "ui/Application.h"
#include "ui/win32/Win32Backend.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace wintest;
using ui::win32::windowHandle;
using Names = std::vector<std::string>;

std::string textOf(HWND hwnd)
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// A control's place in its parent's client area, as the system has it.
RECT placeOf(const ui::Control& control)
{
    HWND hwnd = windowHandle(control);
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The stand-in for the main window: profile data, a reload that rebuilds the Initial Channel
// menu, and the menu command that opens the settings dialog.
class THostForm : public ui::Form {
public:
    THostForm(ui::Component* owner, profile::TSoundsDlg*& sounds)
        : ui::Form(owner), m_sounds(sounds)
    {
        setName("MainForm");
        setCaption("Kestrion");
        setBorderStyle(ui::FormBorderStyle::Single);
        setPosition(ui::FormPosition::Designed);
        // Far enough from the screen's edges for the dialog to stand centred over it.
        setBounds(300, 300, 240, 160);
        MainMenu1 = new ui::MainMenu(this);
        MainMenu1->setAutoHotkeys(ui::AutoHotkeys::Manual);
        Options1 = new ui::MenuItem(this);
        Options1->setCaption("&Options");
        MainMenu1->items().add(Options1);
        InitialChannel1 = new ui::MenuItem(this);
        InitialChannel1->setCaption("&Initial Channel");
        Options1->add(InitialChannel1);
        SetChannels1 = new ui::MenuItem(this);
        SetChannels1->setCaption("&Set Channels && Keys...");
        SetChannels1->OnClick = [this](ui::Persistent&) { SetChannels1Click(); };
        Options1->add(SetChannels1);
        setMenu(MainMenu1);
        finishCreation();
    }

    void LoadProfile(const std::string& path)
    {
        Profile = profile::loadProfile(path);
        while (InitialChannel1->count() > 0) {
            ui::destroy(InitialChannel1->item(0));
        }
        auto* lobby = new ui::MenuItem(this);
        lobby->setCaption("&Default");
        InitialChannel1->add(lobby);
        for (std::size_t i = 0; i < Profile.ChannelNames.size(); ++i) {
            auto* item = new ui::MenuItem(this);
            item->setCaption(std::to_string(i + 1) + " - " + Profile.ChannelNames[i]);
            InitialChannel1->add(item);
        }
    }

    Names initialChannelItems() const
    {
        Names captions;
        HMENU options = GetSubMenu(GetMenu(windowHandle(*this)), 0);
        HMENU initial = GetSubMenu(options, 0);
        for (int i = 0; i < GetMenuItemCount(initial); ++i) {
            char caption[128] = {};
            GetMenuStringA(initial, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
            captions.push_back(caption);
        }
        return captions;
    }

    void SetChannels1Click()
    {
        Result = profile::TSettingsDlg::Execute(
            {Profile, [this](const std::string& path) { LoadProfile(path); }, *m_sounds, nullptr,
             [this](std::int32_t context) { Helps.push_back(context); }});
    }

    ui::MainMenu* MainMenu1;
    ui::MenuItem* Options1;
    ui::MenuItem* InitialChannel1;
    ui::MenuItem* SetChannels1;
    profile::ProfileData Profile;
    ui::ModalResult Result = ui::ModalResult::None;
    std::vector<std::int32_t> Helps;

private:
    profile::TSoundsDlg*& m_sounds;
};

class DialogsWin : public ::testing::Test {
protected:
    wintest::TempDir folder;
    std::string path = folder.file("profile.ini");
    ui::win32::Win32Backend backend;
    ui::Application app;
    profile::TSoundsDlg* sounds = nullptr;
    THostForm& host = app.createForm<THostForm>(sounds);

    DialogsWin()
    {
        app.setTitle("Kestrion");
        app.setToolWindowOwner(true);
        // The sound dialog is made after the main window, as at the program's start.
        sounds = new profile::TSoundsDlg(&app, nullptr);
        wintest::writeFile(path, "[host]\r\naddress=10.1.1.1\r\n"
                                 "[channels]\r\ncount=2\r\ndefault=1\r\n"
                                 "channel1=Alpha\r\nchannel2=Bravo\r\n"
                                 "[sounds]\r\nchannel1=C:\\alpha.wav\r\n"
                                 "[keys]\r\nrequire_ctrl=1\r\nchannel0=96\r\n");
        host.LoadProfile(path);
        host.show();
        app.processMessages();
    }

    profile::TSettingsDlg* openSettings() const
    {
        return wintest::openForm<profile::TSettingsDlg>(app);
    }
};

TEST_F(DialogsWin, TheSettingsDialogCapturesKeysAndAddsAChannelFromTheMenu)
{
    bool scriptRan = false;
    whenShown([&] {
        scriptRan = true;
        profile::TSettingsDlg* dlg = openSettings();
        ASSERT_NE(dlg, nullptr);
        HWND hwnd = windowHandle(*dlg);
        // Close it whatever happens below, so that a failure cannot leave the test waiting.
        struct Closer {
            profile::TSettingsDlg* d;
            ~Closer()
            {
                if (d->modalResult() == ui::ModalResult::None) {
                    d->setModalResult(ui::ModalResult::Cancel);
                }
            }
        } closer{dlg};

        // The window: caption, client size, the help button, centred over the main window.
        EXPECT_EQ(textOf(hwnd), "Channel Settings");
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, 443);
        EXPECT_EQ(client.bottom, 365);
        EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
        RECT outer, main;
        GetWindowRect(hwnd, &outer);
        GetWindowRect(windowHandle(host), &main);
        EXPECT_NEAR((outer.left + outer.right) / 2, (main.left + main.right) / 2, 1);
        EXPECT_NEAR((outer.top + outer.bottom) / 2, (main.top + main.bottom) / 2, 1);
        const RECT list = placeOf(*dlg->ListBox1);
        EXPECT_EQ(list.left, 4);
        EXPECT_EQ(list.bottom - list.top, 301);
        const RECT key = placeOf(*dlg->KeyEdits[9]);
        EXPECT_EQ(key.left, 188);
        EXPECT_EQ(key.top, 124);
        EXPECT_EQ(SendMessageA(windowHandle(*dlg->ListBox1), LB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(SendMessageA(windowHandle(*dlg->CheckBox2), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(textOf(windowHandle(*dlg->KeyEdits[0])), "96");
        EXPECT_EQ(GetFocus(), windowHandle(*dlg->ChannelNameEdit));
        screenshot(app, "Channel Settings", "settings-dialog.png");

        // Keys pressed in a key field: Shift alone changes nothing, F5 is captured, Tab keeps
        // moving the focus, and Ctrl+Return is captured as Return in the next field.
        SendMessageA(windowHandle(*dlg->ApplyBtn), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowEnabled(windowHandle(*dlg->ApplyBtn)));
        dlg->KeyEdits[4]->setFocus();
        EXPECT_EQ(pressKeys(app, "Channel Settings", "shift"), 0);
        EXPECT_EQ(dlg->KeyEdits[4]->text(), "0");
        EXPECT_FALSE(dlg->ApplyBtn->enabled());
        EXPECT_EQ(pressKeys(app, "Channel Settings", "F5 Tab ctrl+Return"), 0);
        EXPECT_TRUE(pumpUntil(app, [&] { return dlg->KeyEdits[5]->text() == "13"; }));
        EXPECT_EQ(dlg->KeyEdits[4]->text(), "116");
        EXPECT_EQ(textOf(windowHandle(*dlg->KeyEdits[4])), "116");
        EXPECT_TRUE(IsWindowEnabled(windowHandle(*dlg->ApplyBtn)));

        // A name typed into the name field, then "+" and OK, all through the windows.
        dlg->ChannelNameEdit->setFocus();
        SendMessageA(windowHandle(*dlg->ChannelNameEdit), EM_SETSEL, 0, -1);
        EXPECT_EQ(runOnHost(app, "xdotool type --delay 30 Echo"), 0);
        EXPECT_TRUE(pumpUntil(app, [&] { return dlg->ChannelNameEdit->text() == "Echo"; }));
        SendMessageA(windowHandle(*dlg->Button3), BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageA(windowHandle(*dlg->ListBox1), LB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendMessageA(windowHandle(*dlg->ListBox1), LB_GETCURSEL, 0, 0), 2);

        // Help on a check box travels up to the dialog and out to the help; so does help on a
        // control without a help context of its own, which gets the dialog's. (This is what a
        // click with the title bar's help button sends; Wine has no such help mode.)
        HELPINFO help{sizeof help, HELPINFO_WINDOW, 0, windowHandle(*dlg->CheckBox1), 0, {0, 0}};
        SendMessageA(windowHandle(*dlg->CheckBox1), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        help.hItemHandle = windowHandle(*dlg->AddressEdit);
        SendMessageA(windowHandle(*dlg->AddressEdit), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        // F1 pressed in the name field asks once (the system's own request for the key is
        // dropped); F1 in a key field is a key, not a request.
        EXPECT_EQ(pressKeys(app, "Channel Settings", "F1"), 0);
        EXPECT_TRUE(pumpUntil(app, [&] { return host.Helps.size() >= 3; }));
        dlg->KeyEdits[7]->setFocus();
        EXPECT_EQ(pressKeys(app, "Channel Settings", "F1"), 0);
        EXPECT_TRUE(pumpUntil(app, [&] { return dlg->KeyEdits[7]->text() == "112"; }));
        SendMessageA(windowHandle(*dlg->OkBtn), BM_CLICK, 0, 0);
    });
    SendMessageA(windowHandle(host), WM_COMMAND, MAKEWPARAM(host.SetChannels1->command(), 0), 0);
    ASSERT_TRUE(scriptRan);
    EXPECT_EQ(host.Result, ui::ModalResult::Ok);
    EXPECT_EQ(openSettings(), nullptr); // freed after it closed

    EXPECT_EQ(host.Helps, (std::vector<std::int32_t>{6, 5, 5}));
    EXPECT_EQ(host.Profile.ChannelNames, (Names{"Alpha", "Bravo", "Echo"}));
    EXPECT_EQ(profile::readText(path, "channels", "channel3", ""), "Echo");
    EXPECT_EQ(profile::readInteger(path, "channels", "count", 0), 3);
    EXPECT_EQ(profile::readInteger(path, "keys", "channel4", 0), 116);
    EXPECT_EQ(profile::readInteger(path, "keys", "channel5", 0), 13);
    EXPECT_EQ(profile::readInteger(path, "keys", "channel7", 0), 112);
    EXPECT_EQ(profile::readText(path, "sounds", "channel1", ""), "C:\\alpha.wav");
    app.processMessages();
    EXPECT_EQ(host.initialChannelItems(),
              (Names{"&Default", "1 - Alpha", "2 - Bravo", "3 - Echo"}));
}

// "-" in a list scrolled to its end: the list shifts up as it loses the entry, and the
// current channel is the entry the list shows at its top then, so that "-" pressed again
// removes the entry the user sees there.
TEST_F(DialogsWin, RemovingFromAListScrolledToItsEndActsOnTheRowShownAtTheTop)
{
    std::string channels = "[channels]\r\ncount=40\r\n";
    for (int i = 1; i <= 40; ++i)
        channels += "channel" + std::to_string(i) + "=Channel" + std::to_string(i) + "\r\n";
    ASSERT_TRUE(wintest::writeFile(path, channels));
    host.LoadProfile(path);
    bool scriptRan = false;
    whenShown([&] {
        scriptRan = true;
        profile::TSettingsDlg* dlg = openSettings();
        ASSERT_NE(dlg, nullptr);
        struct Closer {
            profile::TSettingsDlg* d;
            ~Closer() { d->setModalResult(ui::ModalResult::Cancel); }
        } closer{dlg};
        HWND list = windowHandle(*dlg->ListBox1);
        auto lineAt = [&](LRESULT index) {
            char text[64] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(text));
            return std::string(text);
        };
        auto topLine = [&] { return lineAt(SendMessageA(list, LB_GETTOPINDEX, 0, 0)); };

        // The user scrolls to the end and picks the last channel.
        SendMessageA(list, WM_VSCROLL, SB_BOTTOM, 0);
        const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
        ASSERT_GT(top, 0) << "the list shows all 40 channels at once";
        SendMessageA(list, LB_SETCURSEL, 39, 0);
        SendMessageA(windowHandle(*dlg), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        ASSERT_EQ(dlg->ChannelNameEdit->text(), "Channel40");

        SendMessageA(windowHandle(*dlg->Button4), BM_CLICK, 0, 0);
        ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 39);
        EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), top - 1);
        const std::string shownAtTop = topLine();
        EXPECT_EQ(dlg->ChannelNameEdit->text(), shownAtTop);
        EXPECT_EQ(textOf(windowHandle(*dlg->ChannelNameEdit)), shownAtTop);

        SendMessageA(windowHandle(*dlg->Button4), BM_CLICK, 0, 0);
        ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 38);
        EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(shownAtTop.c_str())),
                  LB_ERR)
            << shownAtTop << " should have gone";
        EXPECT_EQ(dlg->ChannelNameEdit->text(), topLine());
        screenshot(app, "Channel Settings", "settings-scrolled-removal.png");
    });
    SendMessageA(windowHandle(host), WM_COMMAND, MAKEWPARAM(host.SetChannels1->command(), 0), 0);
    ASSERT_TRUE(scriptRan);
}

TEST_F(DialogsWin, TheSoundDialogIsARealWindowThatKeepsItsState)
{
    sounds->prime("C:\\Sounds\\alpha.wav");
    bool scriptRan = false;
    whenShown([&] {
        scriptRan = true;
        HWND hwnd = windowHandle(*sounds);
        struct Closer {
            profile::TSoundsDlg* d;
            ~Closer()
            {
                if (d->modalResult() == ui::ModalResult::None) {
                    d->setModalResult(ui::ModalResult::Abort);
                }
            }
        } closer{sounds};

        EXPECT_EQ(textOf(hwnd), "Channel Sound");
        RECT outer, client;
        GetWindowRect(hwnd, &outer);
        GetClientRect(hwnd, &client);
        EXPECT_EQ(outer.left, 380);
        EXPECT_EQ(outer.top, 266);
        EXPECT_EQ(client.right, 265);
        EXPECT_EQ(client.bottom, 90);
        EXPECT_EQ(SendMessageA(windowHandle(*sounds->RadioButton2), BM_GETCHECK, 0, 0),
                  BST_CHECKED);
        EXPECT_EQ(textOf(windowHandle(*sounds->Edit1)), "C:\\Sounds\\alpha.wav");
        EXPECT_TRUE(IsWindowEnabled(windowHandle(*sounds->Edit1)));
        screenshot(app, "Channel Sound", "sound-dialog.png");

        // "Default Sound" by a click disables the path field and keeps its text.
        SendMessageA(windowHandle(*sounds->RadioButton1), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowEnabled(windowHandle(*sounds->Edit1)));
        EXPECT_EQ(SendMessageA(windowHandle(*sounds->RadioButton2), BM_GETCHECK, 0, 0),
                  BST_UNCHECKED);

        // Escape does nothing; Enter presses the focused button only.
        EXPECT_EQ(pressKeys(app, "Channel Sound", "Escape"), 0);
        app.processMessages();
        EXPECT_EQ(sounds->modalResult(), ui::ModalResult::None);
        sounds->OkBtn->setFocus();
        EXPECT_EQ(pressKeys(app, "Channel Sound", "Return"), 0);
        EXPECT_TRUE(pumpUntil(app, [&] { return sounds->modalResult() != ui::ModalResult::None; }));
    });
    EXPECT_EQ(sounds->showModal(), ui::ModalResult::Ok);
    ASSERT_TRUE(scriptRan);
    EXPECT_EQ(sounds->chosenSound(), "DEFAULT");
    EXPECT_FALSE(IsWindowVisible(windowHandle(*sounds)));

    // Shown again, it is as the user left it.
    whenShown([&] {
        EXPECT_EQ(SendMessageA(windowHandle(*sounds->RadioButton1), BM_GETCHECK, 0, 0),
                  BST_CHECKED);
        EXPECT_EQ(textOf(windowHandle(*sounds->Edit1)), "C:\\Sounds\\alpha.wav");
        SendMessageA(windowHandle(*sounds), WM_CLOSE, 0, 0); // the close button
    });
    EXPECT_EQ(sounds->showModal(), ui::ModalResult::Cancel);
}

} // namespace
