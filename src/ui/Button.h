#pragma once
// Button: a push button. Clicking it sets its form's modal result to ModalResult (when that
// is not None) and raises OnClick; a modal form closes after the click with that result.
// Enter presses the Default button of the form, Escape the Cancel button (Form::handleKey).

#include "ui/Backend.h"
#include "ui/WinControl.h"

namespace ui {

class Button : public WinControl {
public:
    explicit Button(Component* owner);

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& caption() const { return text(); }
    void setCaption(const std::string& caption) { setText(caption); }
    ModalResult modalResult() const { return m_modalResult; }
    void setModalResult(ModalResult result) { m_modalResult = result; }
    bool isDefault() const { return m_default; }
    void setDefault(bool value);
    bool isCancel() const { return m_cancel; }
    void setCancel(bool value) { m_cancel = value; }

    void click() override;

private:
    ModalResult m_modalResult = ModalResult::None;
    bool m_default = false;
    bool m_cancel = false;
};

} // namespace ui
