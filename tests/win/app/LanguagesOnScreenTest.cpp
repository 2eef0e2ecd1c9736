// Every shipped language on the real windows: the program's main window with the real
// services (the client simulator as the voice client) and the shipped language files beside
// it; each language chosen from the Language menu as a user chooses it. In each language the
// windows show the translated texts (window texts, menu items, the file dialogs' filters),
// and every label, check box and button text fits its control.
//
// Run as it is, the test sees the windows at 96 dpi; EveryLanguageFitsAtEveryScale runs it again
// at 120, 144 and 192 dpi (LogPixels, read by every program started afterwards in the prefix),
// with the program's own manifest, so that the windows are as dpi aware as kestrion.exe's.
//
// KESTRION_SCREENSHOT_DIR=/some/folder (a Linux path) keeps a picture of every window and menu
// in every language there (main-Deutsch.png at 96 dpi, main-Deutsch-144.png at 144 dpi, ...).

#include "app/MainForm.h"
#include "app/win32/Program.h"
#include "base/win32/Handles.h"
#include "i18n/Messages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/TranslatableTexts.h"
#include "i18n/bsCorePolyglot.h"
#include "i18n/bsPolyglotManager.h"
#include "platform/win32/Win32Services.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Label.h"
#include "ui/Menu.h"
#include "ui/OpenDialog.h"
#include "ui/win32/Win32Backend.h"

#include "UiDriver.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

using namespace wintest;
using ui::win32::windowHandle;

namespace {

std::string windowText(HWND hwnd)
{
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// The width the text takes in the control's font, its access-key mark drawn as an underline.
int textWidth(HWND hwnd, const std::string& text)
{
    base::win32::WindowDC dc(hwnd);
    base::win32::SelectionGuard selected(
        dc.get(), reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    RECT r{0, 0, 0, 0};
    DrawTextA(dc.get(), text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

// What of a control's width its text may take: a label all of it, a button all but its
// frame, a check box or a radio button all but its box and the gap after it.
int roomForText(const ui::Component& component, HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    int reserved = 0;
    if (dynamic_cast<const ui::Button*>(&component))
        reserved = 6;
    else if (dynamic_cast<const ui::CheckBox*>(&component) ||
             dynamic_cast<const ui::RadioButton*>(&component))
        reserved = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    return client.right - reserved;
}

// The window texts of a form against what its model holds after the translation, and every
// caption against the room its control gives it.
void expectShownAndFitting(const ui::Form& form)
{
    SCOPED_TRACE(form.className());
    for (const auto& text : i18n::translatableTexts(form)) {
        const auto dot = text.path.find('.');
        const std::string property =
            dot == std::string::npos ? text.path : text.path.substr(dot + 1);
        const ui::Component* component =
            dot == std::string::npos ? &form : form.findComponent(text.path.substr(0, dot));
        auto* control = dynamic_cast<const ui::WinControl*>(component);
        if (!control || (property != "Caption" && property != "Text"))
            continue; // hints, menu items and dialogs have no window of their own here
        HWND hwnd = windowHandle(*control);
        ASSERT_NE(hwnd, nullptr) << text.path;
        EXPECT_EQ(windowText(hwnd), text.text) << text.path;
        if (control != &form && property == "Caption") {
            EXPECT_LE(textWidth(hwnd, text.text), roomForText(*control, hwnd))
                << text.path << " \"" << text.text << "\" does not fit";
        }
    }
}

// The menu bar as the system shows it against the model's items, submenus included.
void expectMenu(HMENU menu, const ui::MenuItem& parent)
{
    int position = 0;
    for (const ui::MenuItem* item : parent.items()) {
        if (!item->visible())
            continue;
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
        if (!item->isSeparator()) {
            EXPECT_EQ(std::string(text), item->caption()) << item->name();
        }
        if (!item->items().empty())
            expectMenu(GetSubMenu(menu, position), *item);
        ++position;
    }
}

// The descriptions of an open-file dialog's filter, as its list of file types shows them.
std::vector<std::string> filterNames(const std::string& filter)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    for (bool name = true; start <= filter.size(); name = !name) {
        const auto bar = filter.find('|', start);
        if (name)
            names.push_back(filter.substr(start, bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return names;
}

BOOL CALLBACK findDialog(HWND w, LPARAM out)
{
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

// The open-file dialog the thread shows now, or null.
HWND shownFileDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::string> fileTypesShown(HWND dialog)
{
    std::vector<std::string> types;
    HWND list = GetDlgItem(dialog, 0x470); // the list of file types
    const auto count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        types.push_back(text);
    }
    return types;
}

// The dpi a run at another scale than 96 was started for, as the parent asked (empty at 96).
std::string scaleSuffix()
{
    const char* dpi = std::getenv("KESTRION_LANGUAGES_DPI");
    return dpi && *dpi ? std::string("-") + dpi : std::string();
}

const char* screenshotDir()
{
    const char* dir = std::getenv("KESTRION_SCREENSHOT_DIR");
    return dir && *dir ? dir : nullptr;
}

// The screen's region around a window (wider and deeper by `more` pixels, for a menu that
// drops from it), for `import`.
std::string region(HWND hwnd, int more = 0)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return std::to_string(r.right - r.left + more) + "x" + std::to_string(r.bottom - r.top + more) +
           "+" + std::to_string(r.left) + "+" + std::to_string(r.top);
}

// A picture of the screen's region around a window; with `before`, a host command that opens
// a menu first (and Escape closes it after the picture).
void shot(ui::Application& app, HWND hwnd, const std::string& file, const std::string& before = "",
          int more = 0)
{
    const char* dir = screenshotDir();
    if (!dir)
        return;
    std::string command;
    if (!before.empty())
        command = before + "; sleep 0.8; ";
    std::string named = file;
    named.insert(named.rfind('.'), scaleSuffix());
    command += "import -window root -crop " + region(hwnd, more) + " +repage " + dir + "/" + named;
    if (!before.empty())
        command += "; xdotool key Escape; sleep 0.2; xdotool key Escape";
    EXPECT_EQ(runOnHost(app, command), 0) << file;
}

// A language's name for a file name: its letters without their accents.
std::string plain(const std::string& language)
{
    std::string out;
    for (char c : language) {
        switch (static_cast<unsigned char>(c)) {
        case 0xE7: out += 'c'; break;
        case 0xF1: out += 'n'; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

TEST(LanguagesOnScreen, EveryLanguageShowsItsTextsOnEveryWindowAndTheyFit)
{
    TempDir dir;
    const std::string program = dir.file("kestrion.exe");
    ASSERT_TRUE(CreateDirectoryA(dir.file("language").c_str(), nullptr));
    WIN32_FIND_DATAA found;
    base::win32::UniqueFind find(FindFirstFileA((exeDir() + "language\\*.lng").c_str(), &found));
    ASSERT_TRUE(find);
    do {
        ASSERT_TRUE(CopyFileA((exeDir() + "language\\" + found.cFileName).c_str(),
                              dir.file("language\\" + std::string(found.cFileName)).c_str(),
                              FALSE));
    } while (FindNextFileA(find.get(), &found));
    ASSERT_TRUE(writeFile(dir.file("kestrion.ini"),
                          "[options]\r\nlanguage=English\r\n[channels]\r\ncount=3\r\ndefault=1\r\n"
                          "channel1=Lobby Chat\r\nchannel2=Red Team\r\nchannel3=Blue Team\r\n"
                          "[keys]\r\nrequire_ctrl=1\r\nchannel0=96\r\nchannel1=97\r\n"));
    setClientAppPath(ClientSimulator::exePath());
    SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", dir.file("client.log").c_str());

    // The program's start, as WinMain makes it, with the program in the test's folder.
    app::Program running(GetModuleHandleA(nullptr), program);
    ui::Application& app = running.application();
    app::TMainForm& main = running.mainForm();
    ASSERT_FALSE(app.terminated()); // the client started
    ASSERT_EQ(main.Language1->count(), 5);
    HWND mainWindow = windowHandle(main);
    const std::string focusMain =
        "xdotool search --name '^Quorbit.s RW Corvandial$' windowfocus --sync";

    std::vector<ui::MenuItem*> languages(main.Language1->items().begin(),
                                         main.Language1->items().end());
    for (ui::MenuItem* item : languages) {
        const std::string language = item->caption();
        SCOPED_TRACE(language);
        // Chosen from the menu, as the system reports a choice.
        SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(item->command(), 0), 0);
        app.processMessages();
        ASSERT_EQ(main.bsPolyglotManager1->CurrentLang(), language);
        EXPECT_TRUE(item->checked());
        const std::string name = plain(language);

        expectShownAndFitting(main);
        expectMenu(GetMenu(mainWindow), main.MainMenu1->items());
        shot(app, mainWindow, "main-" + name + ".png");
        auto menuKey = [](const ui::MenuItem& menu) {
            return std::string("alt+") + static_cast<char>(std::tolower(menu.accessKey()));
        };
        shot(app, mainWindow, "main-options-" + name + ".png",
             focusMain + " key " + menuKey(*main.Options1), 260);
        shot(app, mainWindow, "main-help-" + name + ".png",
             focusMain + " key " + menuKey(*main.Help1), 260);
        // The tray menu's first item, as the menu shows it while the window is shown.
        main.TrayMenuPopup(*main.TrayMenu);
        EXPECT_EQ(main.Restore1->caption(), i18n::LoadResourceString(i18n::msg::SHide));
        if (screenshotDir()) {
            // The tray menu, opened as a right-click on the icon opens it, at the pointer
            // (which only places the menu for the picture); the picture's Escape closes it.
            RECT frame;
            GetWindowRect(mainWindow, &frame);
            runOnHost(app, "xdotool mousemove " + std::to_string(frame.left + 20) + " " +
                               std::to_string(frame.top + 40) + "; true");
            PostMessageA(mainWindow, app::WM_TRAY, 100, app::kTrayRightButtonDown);
            shot(app, mainWindow, "tray-" + name + ".png", "true", 200);
        }

        // File, Open: the file dialog lists the translated file types.
        whenShown([&] {
            HWND open = nullptr;
            EXPECT_TRUE(pumpUntil(app, [&] { return (open = shownFileDialog()) != nullptr; }));
            if (!open)
                return;
            EXPECT_EQ(windowText(open), main.OpenDialog1->title());
            EXPECT_EQ(fileTypesShown(open), filterNames(main.OpenDialog1->filter()));
            shot(app, open, "open-" + name + ".png");
            PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
        });
        main.Open1Click(main);

        // The settings dialog, its channel list's menu, and the sound dialog opened from it.
        bool settingsShown = false;
        whenShown([&] {
            settingsShown = true;
            profile::TSettingsDlg* settings = nullptr;
            for (ui::Component* c : app.components())
                if (auto* d = dynamic_cast<profile::TSettingsDlg*>(c))
                    settings = d;
            ASSERT_NE(settings, nullptr);
            struct Closer {
                profile::TSettingsDlg* d;
                ~Closer() { d->setModalResult(ui::ModalResult::Cancel); }
            } closer{settings};
            HWND hwnd = windowHandle(*settings);
            // Centred over the main window, but on the screen whole, title bar included.
            RECT outer;
            GetWindowRect(hwnd, &outer);
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
            EXPECT_GE(outer.left, monitor.rcWork.left);
            EXPECT_GE(outer.top, monitor.rcWork.top);
            EXPECT_LE(outer.right, monitor.rcWork.right);
            EXPECT_LE(outer.bottom, monitor.rcWork.bottom);
            expectShownAndFitting(*settings);
            shot(app, hwnd, "settings-" + name + ".png");
            RECT list;
            GetWindowRect(windowHandle(*settings->ListBox1), &list);
            shot(app, hwnd, "settings-menu-" + name + ".png",
                 "xdotool mousemove " + std::to_string(list.left + 40) + " " +
                     std::to_string(list.top + 60) + " click 3");

            bool soundsShown = false;
            whenShown([&] {
                soundsShown = true;
                profile::TSoundsDlg& sounds = *main.SoundsDlg;
                expectShownAndFitting(sounds);
                shot(app, windowHandle(sounds), "sound-" + name + ".png");
                whenShown([&] {
                    HWND open = nullptr;
                    EXPECT_TRUE(
                        pumpUntil(app, [&] { return (open = shownFileDialog()) != nullptr; }));
                    if (!open)
                        return;
                    EXPECT_EQ(windowText(open), sounds.OpenDialog1->title());
                    EXPECT_EQ(fileTypesShown(open), filterNames(sounds.OpenDialog1->filter()));
                    PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
                });
                sounds.BrowseBtnClick(sounds);
                sounds.setModalResult(ui::ModalResult::Cancel);
            });
            settings->CustomLobbySound1Click(*settings);
            EXPECT_TRUE(soundsShown);
        });
        SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(main.SetChannels1->command(), 0), 0);
        EXPECT_TRUE(settingsShown);
    }

    // The client the program started goes with the test.
    if (HWND client = FindWindowA("#32770", "Roger Wilco"))
        PostMessageA(client, WM_CLOSE, 0, 0);
    removeClientAppPath();
}

// The test above, run again at each scale users run Windows at: longer words must fit at every
// one of them.
TEST(LanguagesOnScreen, EveryLanguageFitsAtEveryScale)
{
    if (std::getenv("KESTRION_LANGUAGES_DPI")) {
        GTEST_SKIP() << "inside a run at one scale";
    }
    const char* const desktopKey = "Control Panel\\Desktop";
    char self[MAX_PATH * 4];
    GetModuleFileNameA(nullptr, self, sizeof self);
    for (DWORD dpi : {120u, 144u, 192u}) {
        SetEnvironmentVariableA("KESTRION_LANGUAGES_DPI", std::to_string(dpi).c_str());
        setRegistryNumber(HKEY_CURRENT_USER, desktopKey, "LogPixels", dpi);
        const RunResult result =
            run(quoted(self) + " --gtest_filter=LanguagesOnScreen."
                               "EveryLanguageShowsItsTextsOnEveryWindowAndTheyFit",
                std::chrono::seconds(240));
        EXPECT_EQ(result.exitCode, 0u) << "at " << dpi << " dpi:\n" << result.out << result.err;
        EXPECT_NE(result.out.find("[  PASSED  ] 1 test"), std::string::npos) << result.out;
    }
    setRegistryNumber(HKEY_CURRENT_USER, desktopKey, "LogPixels", 96);
    SetEnvironmentVariableA("KESTRION_LANGUAGES_DPI", nullptr);
}
