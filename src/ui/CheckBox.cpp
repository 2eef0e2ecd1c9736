#include "ui/CheckBox.h"

namespace ui {

const ClassInfo& CheckBox::staticClassInfo()
{
    using P = Published<CheckBox>;
    static const ClassInfo info(
        "TCheckBox", &WinControl::staticClassInfo(),
        {
            P::text("Caption", &CheckBox::caption, &CheckBox::setCaption),
            P::boolean("Checked", &CheckBox::checked, &CheckBox::setChecked),
            P::object("Font", &Control::font),
            P::other("OnClick"),
            P::other("OnKeyDown"),
        });
    return info;
}

CheckBox::CheckBox(Component* owner) : WinControl(owner)
{
    setTabStop(true);
}

void CheckBox::setChecked(bool checked)
{
    if (checked == m_checked) {
        return;
    }
    m_checked = checked;
    changed(ControlChange::State);
    WinControl::click();
}

void CheckBox::click()
{
    setChecked(!m_checked);
}

const ClassInfo& RadioButton::staticClassInfo()
{
    using P = Published<RadioButton>;
    static const ClassInfo info(
        "TRadioButton", &WinControl::staticClassInfo(),
        {
            P::text("Caption", &RadioButton::caption, &RadioButton::setCaption),
            P::boolean("Checked", &RadioButton::checked, &RadioButton::setChecked),
            P::object("Font", &Control::font),
            P::other("OnClick"),
            P::other("OnKeyDown"),
        });
    return info;
}

RadioButton::RadioButton(Component* owner) : WinControl(owner)
{
    setTabStop(true);
}

void RadioButton::setChecked(bool checked)
{
    if (checked == m_checked) {
        return;
    }
    m_checked = checked;
    if (checked && parent()) {
        for (Control* sibling : parent()->controls()) {
            auto* radio = dynamic_cast<RadioButton*>(sibling);
            if (radio && radio != this) {
                radio->setChecked(false);
            }
        }
    }
    changed(ControlChange::State);
    if (checked) {
        WinControl::click();
    }
}

void RadioButton::click()
{
    setChecked(true);
}

} // namespace ui
