#pragma once
// The main window's test fixture: the window made headlessly over fake services, as the
// program makes it, with a home profile in a test folder of its own.

#include "app/MainForm.h"

#include "TestFiles.h"

#include "i18n/bsCorePolyglot.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotManager.h"
#include "lcd/LCDLabel.h"
#include "platform/fake/FakeServices.h"
#include "profile/IniFile.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"
#include "ui/Application.h"
#include "ui/Menu.h"
#include "ui/OpenDialog.h"
#include "ui/Text.h"
#include "ui/TrackBar.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/User.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace mainformtest {

using app::TMainForm;

inline const std::string AppPaths =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe";
inline const std::string ClientPath = "C:\\RW\\roger.exe";
constexpr auto MainWindow = static_cast<platform::WindowHandle>(0x1234);

class FakeHook : public app::HookBinding {
public:
    bool succeeds = true;
    std::vector<std::string> calls;
    bool SetTheHook(platform::WindowHandle window, const std::string& path) override
    {
        calls.push_back("set " + std::to_string(static_cast<std::uintptr_t>(window)) + " " + path);
        return succeeds;
    }
    void ClearTheHook() override { calls.push_back("clear"); }
};

class MainFormTest : public testing::Test {
protected:
    MainFormTest()
    {
        programPath = m_folder.file("kestrion.exe");
        homeProfile = m_folder.file("kestrion.ini");
        fakes.registry.setText(platform::RootKey::LocalMachine, AppPaths, "", ClientPath);
        fakes.tray.addProgramIcon("MAINICON");
        // The client's window is there: commands go by message.
        fakes.windows.addWindow("#32770", "Roger Wilco", ClientPath);
        application.setTitle("Kestrion");
        application.setShowMainForm(false);
    }
    ~MainFormTest() override
    {
        if (form)
            ui::destroy(form);
    }

    void write(const std::string& path, const std::string& text)
    {
        testsupport::writeBytes(path, text);
    }
    std::string file(const std::string& name) const { return m_folder.file(name); }

    TMainForm& start()
    {
        link = std::make_unique<app::RogerWilco>(fakes.services());
        services = std::make_unique<app::MainFormServices>(
            app::MainFormServices{*link, fakes.services(), fakes.desktopServices(), hook,
                                  programPath, [](const ui::Form&) { return MainWindow; }});
        form = &application.createForm<TMainForm>(*services);
        form->SoundsDlg = &application.createForm<profile::TSoundsDlg>(form->bsPolyglotManager1);
        return *form;
    }

    // The commands the client received by message, in order.
    std::vector<std::string> commands() const
    {
        std::vector<std::string> out;
        for (const auto& d : fakes.windows.deliveries())
            if (d.message == platform::FakeWindowMessenger::CopyDataMessage)
                out.push_back(d.bytes.substr(0, d.bytes.find('\0')));
        return out;
    }
    std::vector<std::string> sounds() const
    {
        std::vector<std::string> out;
        for (const auto& p : fakes.sounds.plays())
            out.push_back(p.name);
        for (int i = 0; i < fakes.sounds.beeps(); ++i)
            out.push_back("beep");
        return out;
    }
    void clearRecords()
    {
        fakes.log.clear();
        m_commandsBefore = commands().size();
    }
    std::vector<std::string> newCommands() const
    {
        auto all = commands();
        return {all.begin() + static_cast<std::ptrdiff_t>(m_commandsBefore), all.end()};
    }
    void send(std::uint32_t id, std::intptr_t lParam = 0)
    {
        form->postMessage(id, 0, lParam);
        application.processMessages();
    }

    platform::FakeServices fakes;
    ui::headless::HeadlessBackend backend;
    i18n::TbsCorePolyglot core;
    ui::Application application;
    FakeHook hook;
    std::unique_ptr<app::RogerWilco> link;
    std::unique_ptr<app::MainFormServices> services;
    TMainForm* form = nullptr;
    std::string programPath;
    std::string homeProfile;

private:
    testsupport::TempFolder m_folder;
    std::size_t m_commandsBefore = 0;
};

inline constexpr char TwoChannels[] =
    "[host]\r\naddress=10.1.1.5\r\npassword=pw\r\n"
    "[channels]\r\ncount=2\r\ndefault=2\r\nchannel1=Alpha\r\nchannel2=Bravo\r\n"
    "[sounds]\r\nchannel2=C:\\bravo.wav\r\n";

} // namespace mainformtest
