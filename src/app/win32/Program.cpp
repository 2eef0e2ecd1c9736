#include "app/win32/Program.h"

#include "base/Paths.h"
#include "platform/win32/Win32Services.h"
#include "profile/SoundsDlg.h"

namespace app {

Program::Program(HINSTANCE instance, const std::string& programPath)
    : m_os(platform::win32Services()), m_desktop(platform::win32DesktopServices()), m_link(m_os),
      // Languages are looked for beside the program from the first look on, never in the
      // folder the program happened to be started from.
      m_core(base::folderPrefixOf(programPath)), m_backend(instance),
      m_services{m_link, m_os, m_desktop, m_hook, programPath, [](const ui::Form& form) {
                     return static_cast<platform::WindowHandle>(
                         reinterpret_cast<std::uintptr_t>(ui::win32::windowHandle(form)));
                 }}
{
    m_application.setToolWindowOwner(true);
    m_application.setTitle(kApplicationTitle);
    m_application.setHelpFile(kHelpFile);
    m_application.setShowMainForm(false);
    m_mainForm = &m_application.createForm<TMainForm>(m_services);
    m_soundsDlg = &m_application.createForm<profile::TSoundsDlg>(m_mainForm->bsPolyglotManager1);
    m_mainForm->SoundsDlg = m_soundsDlg;
}

std::string Program::ownPath()
{
    // The system cuts the path to the buffer and tells nothing but its length: the buffer
    // grows until the whole path fits.
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

} // namespace app
