#include "app/headless/StandInProgram.h"

#include "profile/SoundsDlg.h"

namespace app {

namespace {

constexpr char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe";
// Where the stand-in client is installed; its window is taken to be that program's.
constexpr char kClientPath[] = "C:\\Program Files\\Roger Wilco\\roger.exe";

} // namespace

platform::FakeServices& StandInProgram::withClient(platform::FakeServices& fakes)
{
    fakes.registry.setText(platform::RootKey::LocalMachine, kAppPaths, "", kClientPath);
    fakes.windows.addWindow("#32770", "Roger Wilco", kClientPath);
    return fakes;
}

StandInProgram::StandInProgram(const std::string& programPath)
    : m_link(withClient(m_fakes).services()), m_services{m_link,
                                                         m_fakes.services(),
                                                         m_fakes.desktopServices(),
                                                         m_hook,
                                                         programPath,
                                                         [](const ui::Form&) { return platform::WindowHandle::None; }}
{
    m_application.setTitle("Kestrion");
    m_application.setShowMainForm(false);
    m_mainForm = &m_application.createForm<TMainForm>(m_services);
    m_soundsDlg = &m_application.createForm<profile::TSoundsDlg>(m_mainForm->bsPolyglotManager1);
    m_mainForm->SoundsDlg = m_soundsDlg;
}

} // namespace app
