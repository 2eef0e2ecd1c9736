// The program's three forms (the main window, the settings dialog, the channel sound dialog)
// as real windows at the display scale of the prefix: client sizes, the place of every
// control, every caption inside its control, every form on the screen, the display drawn at
// the window's scale, the icons. The forms run over stand-in services, with the program's
// own manifest and icon (ProgramResources.rc), so they are as dpi aware as kestrion.exe.
//
// kestrion.exe itself runs too, for its main window. Run as it is, the tests measure at
// 96 dpi. EveryScale runs this executable again at 120, 144 and 192 dpi (LogPixels, read by
// every program started afterwards in the prefix).
// KESTRION_SCREENSHOT_DIR=/some/folder keeps a picture of each form there, named after the
// form and the dpi.

#include "app/MainForm.h"
#include "base/win32/Handles.h"
#include "i18n/bsCorePolyglot.h"
#include "lcd/LCDLabel.h"
#include "platform/fake/FakeServices.h"
#include "platform/win32/Win32NotificationArea.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Menu.h"
#include "ui/TrackBar.h"
#include "ui/win32/Win32Backend.h"

#include "UiDriver.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace wintest;
using ui::win32::windowHandle;

const char* const DesktopKey = "Control Panel\\Desktop";

int processDpi()
{
    base::win32::WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

std::string suffix()
{
    std::ostringstream out;
    out << '-' << processDpi() << ".png";
    return out.str();
}

RECT clientOf(HWND hwnd)
{
    RECT r;
    GetClientRect(hwnd, &r);
    return r;
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

RECT workAreaOf(HWND hwnd)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

std::string describe(const RECT& r)
{
    std::ostringstream out;
    out << '(' << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ')';
    return out.str();
}

// Every control below `parent`, depth first.
void collect(const ui::WinControl& parent, std::vector<ui::Control*>& out)
{
    for (ui::Control* c : parent.controls()) {
        out.push_back(c);
        if (auto* windowed = dynamic_cast<ui::WinControl*>(c)) {
            collect(*windowed, out);
        }
    }
}

// The form's window: its client area is the design's scaled (within a pixel), every windowed
// control stands where its design bounds scaled put it, every caption fits its control, and
// the whole window lies inside the work area of its monitor.
void expectLaidOut(const ui::Form& form, int designWidth, int designHeight)
{
    HWND hwnd = windowHandle(form);
    ASSERT_NE(hwnd, nullptr);
    const int dpi = ui::win32::layoutDpi(form);
    EXPECT_EQ(dpi, processDpi()) << form.name();
    const RECT client = clientOf(hwnd);
    EXPECT_NEAR(client.right, ui::scaleLength(designWidth, dpi), 1) << form.name();
    EXPECT_NEAR(client.bottom, ui::scaleLength(designHeight, dpi), 1) << form.name();
    // The model keeps the design.
    EXPECT_EQ(form.clientWidth(), designWidth);
    EXPECT_EQ(form.clientHeight(), designHeight);

    std::vector<ui::Control*> controls;
    collect(form, controls);
    for (ui::Control* c : controls) {
        auto* windowed = dynamic_cast<ui::WinControl*>(c);
        if (!windowed || !windowed->hasHandle()) {
            continue;
        }
        const ui::Box want = ui::scaleBox(c->boundsRect(), dpi);
        const RECT got = placeOf(*c);
        const bool captioned = dynamic_cast<ui::Label*>(c) || dynamic_cast<ui::CheckBox*>(c) ||
                               dynamic_cast<ui::RadioButton*>(c);
        RECT expected{want.left, want.top, want.right, want.bottom};
        if (captioned && got.right > want.right) {
            // Widened to show its whole caption, and still clear of its neighbours.
            expected.right = got.right;
            for (ui::Control* sibling : c->parent()->controls()) {
                if (sibling == c || !windowHandle(*sibling) ||
                    !dynamic_cast<ui::WinControl*>(sibling)) {
                    continue;
                }
                RECT other = placeOf(*sibling);
                RECT common;
                EXPECT_FALSE(IntersectRect(&common, &got, &other))
                    << form.name() << "." << c->name() << " at " << describe(got)
                    << " reaches into " << sibling->name() << " at " << describe(other);
            }
        }
        EXPECT_EQ(describe(got), describe(expected)) << form.name() << "." << c->name();
        if (captioned || dynamic_cast<ui::Button*>(c)) {
            const ui::win32::TextFit fit = ui::win32::measureText(*windowed);
            EXPECT_GT(fit.extent.cx, 0) << c->name();
            EXPECT_TRUE(fit.fits()) << form.name() << "." << c->name() << " \"" << c->text()
                                    << "\": text " << fit.extent.cx << " x " << fit.extent.cy
                                    << " in " << fit.room.cx << " x " << fit.room.cy;
        }
    }

    RECT outer;
    GetWindowRect(hwnd, &outer);
    const RECT area = workAreaOf(hwnd);
    EXPECT_TRUE(outer.left >= area.left && outer.top >= area.top && outer.right <= area.right &&
                outer.bottom <= area.bottom)
        << form.name() << " at " << describe(outer) << ", work area " << describe(area);
}

// The pixels of a window's client area in a box, as 0x00BBGGRR.
ui::Raster pixelsOf(HWND hwnd, const ui::Box& box)
{
    ui::Raster out(box.width(), box.height());
    base::win32::WindowDC dc(hwnd);
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x) {
            out.setPixel(x, y, GetPixel(dc.get(), box.left + x, box.top + y));
        }
    }
    return out;
}

// The program's main window and its channel sound dialog, made as the program makes them,
// as real windows over stand-in services (an installed client that takes every command, no
// hook, sounds and a tray in memory).
class DpiForms : public testing::Test {
protected:
    class NoHook : public app::HookBinding {
    public:
        bool SetTheHook(platform::WindowHandle, const std::string&) override { return true; }
        void ClearTheHook() override {}
    };

    static platform::FakeServices& withClient(platform::FakeServices& fakes)
    {
        fakes.registry.setText(platform::RootKey::LocalMachine,
                               "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe",
                               "", "C:\\RW\\roger.exe");
        fakes.windows.addWindow("#32770", "Roger Wilco", "C:\\RW\\roger.exe");
        return fakes;
    }

    TempDir dir;
    platform::FakeServices fakes;
    app::RogerWilco link{withClient(fakes).services()};
    i18n::TbsCorePolyglot core;
    ui::win32::Win32Backend backend;
    NoHook hook;
    app::MainFormServices services{link,
                                   fakes.services(),
                                   fakes.desktopServices(),
                                   hook,
                                   dir.file("kestrion.exe"),
                                   [](const ui::Form& form) {
                                       return static_cast<platform::WindowHandle>(
                                           reinterpret_cast<std::uintptr_t>(windowHandle(form)));
                                   }};
    ui::Application app;
    app::TMainForm* main = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(writeFile(dir.file("kestrion.ini"),
                              "[channels]\r\ncount=3\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n"
                              "channel3=Charlie\r\n[options]\r\nsounds=0\r\n"));
        app.setTitle("Kestrion");
        app.setToolWindowOwner(true);
        app.setShowMainForm(false);
        main = &app.createForm<app::TMainForm>(services);
        main->SoundsDlg = &app.createForm<profile::TSoundsDlg>(main->bsPolyglotManager1);
        ASSERT_FALSE(app.terminated());
        ASSERT_TRUE(main->visible());
        UpdateWindow(windowHandle(*main));
        app.processMessages();
    }

    profile::TSettingsDlg* openSettings() const
    {
        return wintest::openForm<profile::TSettingsDlg>(app);
    }

    // Opens the settings dialog from the main window's menu, runs `check` on it while it is
    // shown, then cancels it.
    void withSettings(const std::function<void(profile::TSettingsDlg&)>& check)
    {
        bool ran = false;
        whenShown([&] {
            ran = true;
            profile::TSettingsDlg* dialog = openSettings();
            ASSERT_NE(dialog, nullptr);
            struct Closer {
                profile::TSettingsDlg* d;
                ~Closer() { d->setModalResult(ui::ModalResult::Cancel); }
            } closer{dialog};
            app.processMessages();
            check(*dialog);
        });
        SendMessageA(windowHandle(*main), WM_COMMAND, MAKEWPARAM(main->SetChannels1->command(), 0),
                     0);
        EXPECT_TRUE(ran);
    }

    void moveMainWindow(bool toTopLeft)
    {
        HWND hwnd = windowHandle(*main);
        const RECT area = workAreaOf(hwnd);
        RECT r;
        GetWindowRect(hwnd, &r);
        const int x = toTopLeft ? area.left : area.right - (r.right - r.left);
        const int y = toTopLeft ? area.top : area.bottom - (r.bottom - r.top);
        SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        app.processMessages();
    }
};

// The awareness the program's manifest gave this process, as the system reports it
// (DPI_AWARENESS: 0 unaware, 1 system, 2 per monitor); -1 where the system cannot tell.
int declaredAwareness()
{
    using Context = HANDLE;
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto thread = reinterpret_cast<Context(WINAPI*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto awareness = reinterpret_cast<int(WINAPI*)(Context)>(reinterpret_cast<void (*)()>(
        GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    return thread && awareness ? awareness(thread()) : -1;
}

TEST_F(DpiForms, EveryFormIsLaidOutAtItsWindowsScale)
{
    // Per monitor: where the system knows no version 2 (Wine 8 does not), the manifest's
    // second choice.
    EXPECT_EQ(declaredAwareness(), 2);
    std::printf("[ scale    ] at %d dpi\n", processDpi());
    expectLaidOut(*main, 246, 71);
    screenshot(app, "Quorbit.s RW Corvandial", "main-window" + suffix());

    withSettings([&](profile::TSettingsDlg& dialog) {
        expectLaidOut(dialog, 443, 365);
        // The list's rows follow its font.
        const int dpi = ui::win32::layoutDpi(dialog);
        const auto row = SendMessageA(windowHandle(*dialog.ListBox1), LB_GETITEMHEIGHT, 0, 0);
        EXPECT_NEAR(row, ui::scaleLength(13, dpi), 2);
        screenshot(app, "Channel Settings", "settings-dialog" + suffix());
    });

    profile::TSoundsDlg& sounds = *main->SoundsDlg;
    sounds.prime("C:\\sounds\\join.wav");
    sounds.show();
    app.processMessages();
    expectLaidOut(sounds, 265, 90);
    screenshot(app, "Channel Sound", "sound-dialog" + suffix());
    sounds.hide();
}

// The height a control's font was asked for, and the height of its characters.
std::pair<LONG, LONG> fontHeights(HWND hwnd)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    LOGFONTA asked{};
    GetObjectA(font, sizeof asked, &asked);
    base::win32::WindowDC dc(hwnd);
    base::win32::SelectionGuard selected(dc.get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    return {asked.lfHeight, metrics.tmHeight - metrics.tmInternalLeading};
}

TEST_F(DpiForms, TheTrackBarsThumbAndTheTextFollowTheScale)
{
    const int dpi = ui::win32::layoutDpi(*main);
    const auto thumb = SendMessageA(windowHandle(*main->ChannelBar), TBM_GETTHUMBLENGTH, 0, 0);
    EXPECT_EQ(thumb, ui::scaleLength(21, dpi));
    // 8 points at this scale, drawn at that size: a face that lacks it (MS Sans Serif is a
    // bitmap face of a few sizes) gives way to an outline face.
    profile::TSoundsDlg& sounds = *main->SoundsDlg;
    sounds.show();
    const auto [asked, drawn] = fontHeights(windowHandle(*sounds.RadioButton1));
    EXPECT_EQ(asked, -MulDiv(8, dpi, 72));
    EXPECT_NEAR(drawn, MulDiv(8, dpi, 72), 1);
    sounds.hide();
}

TEST_F(DpiForms, TheDisplayIsDrawnSharpAtTheWindowsScale)
{
    main->ChannelLCD->setCaption("Lobby Chat");
    app.processMessages();
    const int dpi = ui::win32::layoutDpi(*main);
    const ui::Box area = ui::scaleBox(main->ChannelLCD->boundsRect(), dpi);
    EXPECT_EQ(area.width(), ui::scaleLength(246, dpi));
    // The model keeps its size and its own picture at design size.
    EXPECT_EQ(main->ChannelLCD->width(), 246);
    EXPECT_EQ(main->ChannelLCD->height(), 28);
    const ui::Raster want = dpi == ui::kDesignDpi
                                ? main->ChannelLCD->surface()
                                : main->ChannelLCD->screenPicture(main->ChannelLCD->surface(), dpi,
                                                                  area.width(), area.height());
    const ui::Raster shown = pixelsOf(windowHandle(*main), area);
    EXPECT_TRUE(shown == want) << "the window does not show the display's picture at " << dpi;
    // The first dot of "L" is lit, square, and as wide as the scale's dots.
    const lcd::DotGrid grid =
        lcd::scaledGrid(main->ChannelLCD->dotLayout(), dpi, area.width(), area.height());
    const std::uint32_t lit = shown.pixel(grid.originX, grid.originY);
    EXPECT_EQ(lit, 0u);
    for (int d = 0; d < grid.dotWidth; ++d) {
        EXPECT_EQ(shown.pixel(grid.originX + d, grid.originY + grid.dotHeight - 1), lit);
    }
    EXPECT_EQ(grid.dotWidth, grid.dotHeight);
    EXPECT_NE(shown.pixel(grid.originX + grid.dotWidth, grid.originY), lit);
}

TEST_F(DpiForms, NoFormOpensOutsideTheScreen)
{
    // Centred over a main window in a corner of the screen, the settings dialog would stand
    // partly beyond its edges.
    for (bool topLeft : {true, false}) {
        moveMainWindow(topLeft);
        withSettings([&](profile::TSettingsDlg& dialog) {
            RECT outer;
            GetWindowRect(windowHandle(dialog), &outer);
            const RECT area = workAreaOf(windowHandle(dialog));
            EXPECT_GE(outer.left, area.left) << describe(outer);
            EXPECT_GE(outer.top, area.top) << describe(outer);
            EXPECT_LE(outer.right, area.right) << describe(outer);
            EXPECT_LE(outer.bottom, area.bottom) << describe(outer);
        });
    }
    // The sound dialog opens at its designed place, 380, 266, scaled, if it fits there.
    profile::TSoundsDlg& sounds = *main->SoundsDlg;
    sounds.show();
    app.processMessages();
    RECT outer;
    GetWindowRect(windowHandle(sounds), &outer);
    const RECT area = workAreaOf(windowHandle(sounds));
    const int dpi = ui::win32::layoutDpi(sounds);
    const int width = outer.right - outer.left;
    EXPECT_EQ(outer.left, std::min(ui::scaleLength(380, dpi), int(area.right) - width));
    EXPECT_LE(outer.right, area.right);
    EXPECT_LE(outer.bottom, area.bottom);
    sounds.hide();
}

TEST_F(DpiForms, AFormMovedToAnotherScaleIsLaidOutAgain)
{
    // The main window, as the system tells it of its new scale; the sound dialog's controls
    // follow the same rule, fonts included.
    profile::TSoundsDlg& sounds = *main->SoundsDlg;
    sounds.show();
    HWND hwnd = windowHandle(*main);
    const int dpi = ui::win32::layoutDpi(*main);
    const RECT clientBefore = clientOf(hwnd);
    const RECT barBefore = placeOf(*main->ChannelBar);
    const int other = dpi == 192 ? 144 : 192;
    for (int next : {other, dpi}) {
        RECT now;
        GetWindowRect(hwnd, &now);
        const RECT suggested{now.left + 10, now.top + 10, now.left + 300, now.top + 200};
        SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(next, next),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT soundsNow;
        GetWindowRect(windowHandle(sounds), &soundsNow);
        SendMessageA(windowHandle(sounds), WM_DPICHANGED, MAKEWPARAM(next, next),
                     reinterpret_cast<LPARAM>(&soundsNow));
        app.processMessages();
        EXPECT_EQ(ui::win32::layoutDpi(*main), next);
        RECT outer;
        GetWindowRect(hwnd, &outer);
        EXPECT_EQ(outer.left, suggested.left);
        EXPECT_EQ(outer.top, suggested.top);
        const RECT client = clientOf(hwnd);
        EXPECT_EQ(client.right, ui::scaleLength(246, next));
        EXPECT_EQ(client.bottom, ui::scaleLength(71, next));
        const ui::Box bar = ui::scaleBox(main->ChannelBar->boundsRect(), next);
        EXPECT_EQ(describe(placeOf(*main->ChannelBar)),
                  describe({bar.left, bar.top, bar.right, bar.bottom}));
        const ui::Box ok = ui::scaleBox(sounds.OkBtn->boundsRect(), next);
        EXPECT_EQ(describe(placeOf(*sounds.OkBtn)),
                  describe({ok.left, ok.top, ok.right, ok.bottom}));
        EXPECT_EQ(fontHeights(windowHandle(*sounds.OkBtn)).first, -MulDiv(8, next, 72));
        EXPECT_EQ(main->clientWidth(), 246);
    }
    // Back at the first scale, everything is where it was.
    EXPECT_EQ(describe(clientOf(hwnd)), describe(clientBefore));
    EXPECT_EQ(describe(placeOf(*main->ChannelBar)), describe(barBefore));
    sounds.hide();
}

TEST_F(DpiForms, TheIconsComeInTheSizesTheSystemAsksFor)
{
    const int dpi = ui::win32::layoutDpi(*main);
    auto sizeOf = [](HICON icon) {
        ICONINFO info{};
        BITMAP bitmap{};
        if (!icon || !GetIconInfo(icon, &info)) {
            return SIZE{0, 0};
        }
        // The icon's two bitmaps are the caller's.
        base::win32::UniqueBitmap color(info.hbmColor);
        base::win32::UniqueBitmap mask(info.hbmMask);
        GetObjectA(color ? color.get() : mask.get(), sizeof bitmap, &bitmap);
        return SIZE{bitmap.bmWidth, bitmap.bmHeight};
    };
    // The resource holds an image of each size itself: the system picks it, never stretches
    // a smaller one.
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(instance, "MAINICON", RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(instance, group)));
    auto imageSize = [&](int size) {
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceA(instance, MAKEINTRESOURCEA(id), RT_ICON);
        if (!image) {
            return 0;
        }
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(instance, image)));
        return header ? static_cast<int>(header->biWidth) : 0;
    };
    const int small = GetSystemMetrics(SM_CXSMICON);
    EXPECT_EQ(small, ui::scaleLength(16, dpi));
    EXPECT_EQ(imageSize(small), small);
    EXPECT_EQ(imageSize(GetSystemMetrics(SM_CXICON)), GetSystemMetrics(SM_CXICON));

    // The tray's icon, and the icons of the forms' window class.
    platform::Win32NotificationArea tray;
    const platform::IconHandle trayIcon = tray.loadProgramIcon("MAINICON");
    EXPECT_EQ(sizeOf(reinterpret_cast<HICON>(static_cast<std::uintptr_t>(trayIcon))).cx, small);
    HWND hwnd = windowHandle(*main);
    EXPECT_EQ(sizeOf(reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICONSM))).cx, small);
    EXPECT_EQ(sizeOf(reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICON))).cx,
              GetSystemMetrics(SM_CXICON));
    // A dialog frame gets no icon of its own, which would show in its caption.
    withSettings([&](profile::TSettingsDlg& dialog) {
        EXPECT_EQ(SendMessageA(windowHandle(dialog), WM_GETICON, ICON_SMALL, 0), 0);
    });
}

// kestrion.exe itself, with its manifest: its main window at the screen's scale.
TEST(DpiProgram, TheProgramsMainWindowIsLaidOutAtTheScreensScale)
{
    TempDir dir;
    ASSERT_TRUE(
        CopyFileA((exeDir() + "kestrion.exe").c_str(), dir.file("kestrion.exe").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA((exeDir() + "kestrihk.dll").c_str(), dir.file("kestrihk.dll").c_str(), FALSE));
    ASSERT_TRUE(writeFile(dir.file("kestrion.ini"), "[options]\r\nsounds=0\r\n"));
    setClientAppPath(ClientSimulator::exePath());
    SetEnvironmentVariableA("KESTRION_CLIENTSIM_LOG", dir.file("client.log").c_str());
    {
        Process program(quoted(dir.file("kestrion.exe")));
        HWND main = program.window("TMainForm", std::chrono::seconds(15));
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(
            waitFor([&] { return IsWindowVisible(main) != FALSE; }, std::chrono::seconds(15)));
        const int dpi = processDpi();
        const RECT client = clientOf(main);
        EXPECT_NEAR(client.right, ui::scaleLength(246, dpi), 1);
        EXPECT_NEAR(client.bottom, ui::scaleLength(71, dpi), 1);
        RECT outer;
        GetWindowRect(main, &outer);
        const RECT area = workAreaOf(main);
        EXPECT_TRUE(outer.left >= area.left && outer.top >= area.top && outer.right <= area.right &&
                    outer.bottom <= area.bottom)
            << describe(outer);
    }
    // The client the program started goes with the test.
    if (HWND client = FindWindowA("#32770", "Roger Wilco"))
        PostMessageA(client, WM_CLOSE, 0, 0);
    removeClientAppPath();
}

// The tests above, run again at each scale users run Windows at.
TEST(EveryScale, TheFormsAreWholeAndOnTheScreen)
{
    if (std::getenv("KESTRION_DPI_CHILD")) {
        GTEST_SKIP() << "inside a run at one scale";
    }
    char self[MAX_PATH * 4];
    GetModuleFileNameA(nullptr, self, sizeof self);
    SetEnvironmentVariableA("KESTRION_DPI_CHILD", "1");
    for (DWORD dpi : {120u, 144u, 192u}) {
        setRegistryNumber(HKEY_CURRENT_USER, DesktopKey, "LogPixels", dpi);
        const RunResult result = run(quoted(self) + " --gtest_filter=DpiForms.*:DpiProgram.*",
                                     std::chrono::seconds(120));
        EXPECT_EQ(result.exitCode, 0u) << "at " << dpi << " dpi:\n" << result.out << result.err;
        // The child measured at the scale asked for, and ran every test.
        EXPECT_NE(result.out.find("[  PASSED  ] 7 tests"), std::string::npos) << result.out;
        EXPECT_NE(result.out.find("at " + std::to_string(dpi) + " dpi"), std::string::npos)
            << "no run at " << dpi << " dpi:\n"
            << result.out;
    }
    setRegistryNumber(HKEY_CURRENT_USER, DesktopKey, "LogPixels", 96);
    SetEnvironmentVariableA("KESTRION_DPI_CHILD", nullptr);
}

} // namespace
