#include "ui/Application.h"

#include "ui/Form.h"

namespace ui {

namespace {
Application* g_application = nullptr;

void showErrorBox(const std::exception& error, const std::string& caption)
{
    showMessageBox({error.what(), caption, MessageIcon::Error, MessageButtons::Ok});
}
} // namespace

const ClassInfo& Application::staticClassInfo()
{
    static const ClassInfo info("TApplication", &Component::staticClassInfo(), {});
    return info;
}

Application::Application() : Component(nullptr), m_previous(g_application)
{
    g_application = this;
}

Application::~Application()
{
    // The forms go while the application is still current: their destroy handlers may show
    // messages with its title.
    destroyComponents();
    if (g_application == this) {
        g_application = m_previous;
    }
}

Application* Application::current()
{
    return g_application;
}

void Application::setTitle(const std::string& title)
{
    if (title != m_title) {
        m_title = title;
        changed();
    }
}

void Application::setToolWindowOwner(bool toolWindow)
{
    if (toolWindow != m_toolWindowOwner) {
        m_toolWindowOwner = toolWindow;
        changed();
    }
}

void Application::changed()
{
    if (Backend* b = currentBackend()) {
        b->applicationChanged(*this);
    }
}

void Application::run()
{
    if (m_terminated) {
        return;
    }
    if (m_showMainForm && m_mainForm) {
        m_mainForm->show();
    }
    backend().runMessageLoop(*this);
}

void Application::terminate()
{
    m_terminated = true;
    backend().quit();
}

void Application::processMessages()
{
    backend().processMessages();
}

void Application::notification(Component& component, Operation operation)
{
    if (operation == Operation::Remove && &component == m_mainForm) {
        m_mainForm = nullptr;
    }
    Component::notification(component, operation);
}

ModalResult Application::messageBox(const std::string& text, const std::string& caption,
                                    MessageIcon icon, MessageButtons buttons)
{
    return showMessageBox({text, caption, icon, buttons});
}

void Application::showException(const std::exception& error)
{
    showErrorBox(error, m_title);
}

bool Application::handleExceptions(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        showException(error);
        return false;
    }
}

bool runUserAction(const std::function<void()>& action)
{
    if (Application* app = Application::current()) {
        return app->handleExceptions(action);
    }
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        showErrorBox(error, std::string());
        return false;
    }
}

} // namespace ui
