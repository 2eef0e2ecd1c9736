#include "ui/Button.h"

#include "ui/Form.h"

namespace ui {

const ClassInfo& Button::staticClassInfo()
{
    using P = Published<Button>;
    static const ClassInfo info("TButton", &WinControl::staticClassInfo(),
                                {
                                    P::boolean("Cancel", &Button::isCancel, &Button::setCancel),
                                    P::text("Caption", &Button::caption, &Button::setCaption),
                                    P::boolean("Default", &Button::isDefault, &Button::setDefault),
                                    P::object("Font", &Control::font),
                                    P::enumeration("ModalResult", &Button::modalResult,
                                                   &Button::setModalResult, modalResultIdentifiers),
                                    P::other("OnClick"),
                                    P::other("OnKeyDown"),
                                });
    return info;
}

Button::Button(Component* owner) : WinControl(owner)
{
    setTabStop(true);
}

void Button::setDefault(bool value)
{
    if (value != m_default) {
        m_default = value;
        changed(ControlChange::State);
    }
}

void Button::click()
{
    if (m_modalResult != ModalResult::None) {
        if (Form* form = Form::parentForm(*this)) {
            form->setModalResult(m_modalResult);
        }
    }
    WinControl::click();
}

} // namespace ui
