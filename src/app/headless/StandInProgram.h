#pragma once
// The program's main window and its channel sound dialog, made as the program makes them but
// headless and over stand-in services: an installed client whose window takes every command,
// no keyboard hook, sounds and a tray that exist only in memory. For kestrion-cli and tests
// that need the real forms without a desktop.
//
// Everything lives as long as the object; the forms go first, the localization core last.
// Only one may exist at a time (the localization core is a single instance).

#include "app/MainForm.h"
#include "i18n/bsCorePolyglot.h"
#include "platform/fake/FakeServices.h"
#include "ui/Application.h"
#include "ui/headless/HeadlessBackend.h"

#include <string>

namespace profile {
class TSoundsDlg;
}

namespace app {

class StandInProgram {
public:
    // `programPath` is where the program is taken to be: its folder holds the home profile
    // and the languages, if any.
    explicit StandInProgram(const std::string& programPath);
    StandInProgram(const StandInProgram&) = delete;
    StandInProgram& operator=(const StandInProgram&) = delete;

    TMainForm& mainForm() { return *m_mainForm; }
    profile::TSoundsDlg& soundsDlg() { return *m_soundsDlg; }
    ui::Application& application() { return m_application; }
    platform::FakeServices& services() { return m_fakes; }

private:
    class NoHook : public HookBinding {
    public:
        bool SetTheHook(platform::WindowHandle, const std::string&) override { return true; }
        void ClearTheHook() override {}
    };

    static platform::FakeServices& withClient(platform::FakeServices& fakes);

    platform::FakeServices m_fakes;
    ui::headless::HeadlessBackend m_backend;
    i18n::TbsCorePolyglot m_core;
    RogerWilco m_link;
    NoHook m_hook;
    MainFormServices m_services;
    ui::Application m_application;
    TMainForm* m_mainForm = nullptr;
    profile::TSoundsDlg* m_soundsDlg = nullptr;
};

} // namespace app
