// Program start: the DLL search is restricted before anything can load a DLL; then the client
// link registers the client's messages and the localization core comes up before any window;
// then the application object, the main window (whose FormCreate starts everything), the
// channel sound dialog, and the message loop. The core goes last, after every form.

#include "app/MainForm.h"
#include "app/win32/DllSearch.h"
#include "app/win32/KestrihkBinding.h"
#include "base/Paths.h"
#include "i18n/bsCorePolyglot.h"
#include "platform/win32/Win32Services.h"
#include "profile/SoundsDlg.h"
#include "ui/Application.h"
#include "ui/win32/Win32Backend.h"

#include <windows.h>

#include <exception>
#include <string>

namespace {

// Settings of the application object; never translated.
constexpr char kApplicationTitle[] = "Kestrion";
constexpr char kHelpFile[] = ".\\help\\KESTRION.HLP";

// The program's own path, however long: the buffer grows until the whole path fits (the
// system cuts it to the buffer and says nothing but its full length).
std::string programPath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    app::restrictDllSearch();
    try {
        platform::Services os = platform::win32Services();
        platform::DesktopServices desktop = platform::win32DesktopServices();
        app::RogerWilco link(os);
        const std::string program = programPath();
        // Languages are looked for beside the program from the first look on, never in the
        // folder the program happened to be started from.
        i18n::TbsCorePolyglot core(base::folderPrefixOf(program));

        ui::win32::Win32Backend backend(instance);
        // Everything the main window uses is declared before the application, which destroys
        // the window (and runs its FormDestroy) when it goes.
        app::KestrihkBinding hook;
        app::MainFormServices services{
            link,
            os,
            desktop,
            hook,
            program,
            [](const ui::Form& form) {
                return static_cast<platform::WindowHandle>(
                    reinterpret_cast<std::uintptr_t>(ui::win32::windowHandle(form)));
            },
        };
        ui::Application application;
        application.setToolWindowOwner(true);
        application.setTitle(kApplicationTitle);
        application.setHelpFile(kHelpFile);
        application.setShowMainForm(false);

        auto& main = application.createForm<app::TMainForm>(services);
        main.SoundsDlg = &application.createForm<profile::TSoundsDlg>(main.bsPolyglotManager1);
        application.run();
        return 0;
    } catch (const std::exception& error) {
        // Nothing is up to show it otherwise.
        MessageBoxA(nullptr, error.what(), kApplicationTitle, MB_ICONERROR | MB_OK);
        return 1;
    }
}
