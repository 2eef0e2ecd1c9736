#pragma once
// The program as it runs: the services of the system, the client link, the localization core,
// the Windows backend, the hook library, the application object, the main window and the
// channel sound dialog, made in the order the program needs them and gone in the reverse one
// (the forms first, the localization core after them). WinMain makes one; the Windows tests
// make the same to drive the real program in their own process.

#include "app/MainForm.h"
#include "app/RogerWilco.h"
#include "app/win32/KestrihkBinding.h"
#include "i18n/bsCorePolyglot.h"
#include "platform/DesktopServices.h"
#include "platform/Services.h"
#include "ui/Application.h"
#include "ui/win32/Win32Backend.h"

#include <windows.h>

#include <string>

namespace profile {
class TSoundsDlg;
}

namespace app {

class Program {
public:
    // Settings of the application object; never translated.
    static constexpr char kApplicationTitle[] = "Kestrion";
    static constexpr char kHelpFile[] = ".\\help\\KESTRION.HLP";

    // Starts the program as if it were `programPath`: its folder holds the home profile, the
    // languages and the help. The main window's start-up (FormCreate) runs here; when it ends
    // the program (no client could be started), application().terminated() says so. Throws
    // what start-up cannot go on after.
    Program(HINSTANCE instance, const std::string& programPath);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ui::Application& application() { return m_application; }
    TMainForm& mainForm() { return *m_mainForm; }
    profile::TSoundsDlg& soundsDlg() { return *m_soundsDlg; }

    // The message loop, until the program ends.
    void run() { m_application.run(); }

    // The program's own path, however long: read until the whole path fits. Empty when the
    // system does not tell.
    static std::string ownPath();

private:
    platform::Services m_os;
    platform::DesktopServices m_desktop;
    RogerWilco m_link;
    i18n::TbsCorePolyglot m_core;
    ui::win32::Win32Backend m_backend;
    // Everything the main window uses is made before the application, which destroys the
    // window (and runs its FormDestroy) when it goes.
    KestrihkBinding m_hook;
    MainFormServices m_services;
    ui::Application m_application;
    TMainForm* m_mainForm = nullptr;
    profile::TSoundsDlg* m_soundsDlg = nullptr;
};

} // namespace app
