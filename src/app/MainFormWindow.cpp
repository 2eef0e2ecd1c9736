// The main window shown and hidden, the tray icon's messages, and the Help menu.
#include "app/MainForm.h"

#include "app/MainFormNames.h"
#include "i18n/Messages.h"
#include "ui/Application.h"
#include "ui/Menu.h"

namespace app {

using namespace mainform;

bool TMainForm::shownOnScreen() const
{
    return visible();
}

void TMainForm::showOrHide(bool show)
{
    if (show)
        this->show();
    else
        hide();
}

void TMainForm::trayNotification(std::intptr_t lParam)
{
    platform::WindowHandle self = m_services.windowHandle(*this);
    if (lParam == kTrayDoubleClick) {
        showOrHide(!shownOnScreen());
        if (shownOnScreen())
            m_services.desktop.desktop.bringToForeground(self);
        return;
    }
    if (lParam != kTrayRightButtonDown && lParam != kTrayPopHotkey)
        return;
    platform::ScreenPoint at =
        m_services.desktop.desktop.cursorPosition().value_or(platform::ScreenPoint{});
    // The window must be in front while the menu is open, or the menu does not close when
    // the user clicks elsewhere.
    m_services.desktop.desktop.bringToForeground(self);
    TrayMenu->popup(at.x, at.y);
    // The empty message makes the system switch tasks properly after the menu closed.
    postMessage(kNullMessage, 0, 0);
}

void TMainForm::TrayMenuPopup(ui::Persistent&)
{
    Restore1->setCaption(messageText(shownOnScreen() ? i18n::msg::SHide : i18n::msg::SRestore));
}

void TMainForm::Restore1Click(ui::Persistent&)
{
    showOrHide(!shownOnScreen());
}

void TMainForm::FormClose(ui::Persistent&, ui::CloseAction& action)
{
    // Closing the window only hides it; the program goes on in the notification area.
    action = ui::CloseAction::Hide;
}

void TMainForm::Help2Click(ui::Persistent&)
{
    ShowHelp(kHelpContents);
}

void TMainForm::ShowHelp(std::uint32_t context)
{
    ui::Application* app = ui::Application::current();
    const std::string helpFile = besideProgram(m_programFolder, app ? app->helpFile() : "");
    if (!helpFile.empty() && m_services.desktop.help.canShow(helpFile) &&
        m_services.desktop.help.showContext(m_services.windowHandle(*this), helpFile, context))
        return;
    const std::string page = m_programFolder + kHelpFolder + helpPageOf(context);
    if (m_services.desktop.shell.open(page))
        return;
    if (app)
        app->messageBox(i18n::formatMessage(i18n::msg::SHelpUnavailable, {page}),
                        messageText(i18n::msg::SErrorCaption), ui::MessageIcon::Error);
}

void TMainForm::KestrionWebsite1Click(ui::Persistent&)
{
    m_services.desktop.shell.open(kWebsite);
}

void TMainForm::EmailQuorbit1Click(ui::Persistent&)
{
    m_services.desktop.shell.open(kEmailAddress);
}

void TMainForm::About1Click(ui::Persistent&)
{
    platform::VersionStrings v = m_services.desktop.versions.read(m_services.programPath);
    std::string version = "Unknown";
    std::string notice;
    if (v.resourceSize >= 1) {
        version = v.fileVersion.value_or("Unknown");
        notice = v.legalCopyright.value_or(kFixedNotice);
    }
    std::string clientVersion;
    m_services.link.DetectClientVersion(clientVersion);
    std::string message = std::string(kAboutLeadIn) + notice + "\r\nVersion " + version +
                          "\r\nVersion of RW detected: " + clientVersion + "\r\n\r\n" + kLcdCredit +
                          "\r\n" + kLocalizationCredit;
    if (ui::Application* app = ui::Application::current())
        app->messageBox(message, "About Kestrion");
}

} // namespace app
