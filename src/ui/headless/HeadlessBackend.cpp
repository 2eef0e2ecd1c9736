#include "ui/headless/HeadlessBackend.h"

#include "ui/Application.h"
#include "ui/Color.h"
#include "ui/Control.h"
#include "ui/ControlPeer.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/OpenDialog.h"

namespace ui::headless {

ModalResult firstButton(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel: return ModalResult::Ok;
    case MessageButtons::AbortRetryIgnore: return ModalResult::Abort;
    case MessageButtons::YesNoCancel:
    case MessageButtons::YesNo: return ModalResult::Yes;
    case MessageButtons::RetryCancel: return ModalResult::Retry;
    }
    return ModalResult::Ok;
}

ModalResult HeadlessBackend::showMessageBox(const MessageBoxRequest& request)
{
    m_messageBoxes.push_back(request);
    processMessages();
    const ModalResult answer =
        m_messageBoxAnswer ? m_messageBoxAnswer(request) : firstButton(request.buttons);
    processMessages();
    return answer;
}

std::uint32_t HeadlessBackend::systemColor(int index) const
{
    constexpr int windowColor = 5;
    constexpr int windowTextColor = 8;
    if (m_highContrast && (index == windowColor || index == windowTextColor)) {
        return index == windowColor ? 0x000000u : 0xFFFFFFu;
    }
    return headlessSystemColor(index);
}

void HeadlessBackend::accessibleEvent(Control& control, AccessibleEvent event)
{
    m_events.push_back({&control, event, control.accessibleName(), control.accessible().value()});
}

void HeadlessBackend::announce(Control& control, const std::string& text)
{
    m_announcements.push_back({&control, text});
}

std::unique_ptr<ControlPeer> HeadlessBackend::createPeer(WinControl&)
{
    return nullptr;
}

void HeadlessBackend::applicationChanged(Application&)
{
}

void HeadlessBackend::postMessage(Form& target, const Message& message)
{
    m_queue.emplace_back(&target, message);
}

bool HeadlessBackend::handOutOne()
{
    if (m_queue.empty()) {
        return false;
    }
    const auto [form, message] = m_queue.front();
    m_queue.pop_front();
    // A message to a form that is gone vanishes, as it does on Windows.
    if (Form::exists(form)) {
        form->dispatchMessage(message);
    }
    return true;
}

void HeadlessBackend::processMessages()
{
    while (handOutOne()) {
    }
    if (Application* app = Application::current()) {
        for (Component* c : app->components()) {
            if (auto* form = dynamic_cast<Form*>(c)) {
                form->paintInvalidatedControls();
            }
        }
    }
}

void HeadlessBackend::runMessageLoop(Application& application)
{
    while (!application.terminated() && handOutOne()) {
    }
    if (!application.terminated()) {
        processMessages();
    }
}

void HeadlessBackend::quit()
{
    ++m_quitRequests;
}

void HeadlessBackend::runModalLoop(Form& form)
{
    m_modalForms.push_back(form.className());
    processMessages();
    const Application* app = Application::current();
    if (form.modalResult() == ModalResult::None && !(app && app->terminated())) {
        const ModalResult answer = m_modalAnswer ? m_modalAnswer(form) : ModalResult::Cancel;
        if (form.modalResult() == ModalResult::None) {
            form.setModalResult(answer == ModalResult::None ? ModalResult::Cancel : answer);
        }
    }
    processMessages();
}

MenuItem* HeadlessBackend::trackPopupMenu(PopupMenu& menu, int x, int y)
{
    m_popupPoints.emplace_back(x, y);
    processMessages();
    MenuItem* chosen = m_popupAnswer ? m_popupAnswer(menu, x, y) : nullptr;
    return chosen;
}

bool HeadlessBackend::executeOpenDialog(OpenDialog& dialog)
{
    m_fileDialogs.push_back(dialog.title());
    processMessages();
    const std::optional<std::string> chosen =
        m_fileAnswer ? m_fileAnswer(dialog) : std::optional<std::string>();
    if (!chosen) {
        return false;
    }
    dialog.setFileName(*chosen);
    return true;
}

} // namespace ui::headless
