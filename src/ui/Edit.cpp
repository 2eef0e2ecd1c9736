#include "ui/Edit.h"

namespace ui {

const ClassInfo& Edit::staticClassInfo()
{
    using P = Published<Edit>;
    static const ClassInfo info("TEdit", &WinControl::staticClassInfo(),
                                {
                                    P::object("Font", &Control::font),
                                    P::integer("MaxLength", &Edit::maxLength, &Edit::setMaxLength),
                                    P::other("PasswordChar"),
                                    P::boolean("ReadOnly", &Edit::readOnly, &Edit::setReadOnly),
                                    P::text("Text", &Control::text, &Control::setText),
                                    P::other("OnChange"),
                                    P::other("OnKeyDown"),
                                });
    return info;
}

Edit::Edit(Component* owner) : WinControl(owner)
{
    setTabStop(true);
}

void Edit::setReadOnly(bool readOnly)
{
    if (readOnly != m_readOnly) {
        m_readOnly = readOnly;
        changed(ControlChange::State);
    }
}

void Edit::setPasswordChar(char c)
{
    if (c != m_passwordChar) {
        m_passwordChar = c;
        changed(ControlChange::State);
    }
}

void Edit::setMaxLength(std::int32_t length)
{
    if (length >= 0 && length != m_maxLength) {
        m_maxLength = length;
        changed(ControlChange::State);
    }
}

void Edit::textEdited(const std::string& text)
{
    if (m_readOnly) {
        changed(ControlChange::Text); // the window shows the model's text again
        return;
    }
    if (m_maxLength > 0 && text.size() > static_cast<std::size_t>(m_maxLength)) {
        setText(text.substr(0, static_cast<std::size_t>(m_maxLength)));
        changed(ControlChange::Text);
        return;
    }
    setText(text);
}

void Edit::textChanged()
{
    if (OnChange) {
        OnChange(*this);
    }
}

} // namespace ui
