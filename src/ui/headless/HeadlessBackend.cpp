#include "ui/headless/HeadlessBackend.h"

#include "ui/Color.h"

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
    return m_answer ? m_answer(request) : firstButton(request.buttons);
}

std::uint32_t HeadlessBackend::systemColor(int index) const
{
    return headlessSystemColor(index);
}

} // namespace ui::headless
