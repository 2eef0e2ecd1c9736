#pragma once
// CheckBox and RadioButton: a caption with a mark. A click on a check box toggles its mark;
// a click on a radio button checks it, and checking a radio button clears the other radio
// buttons of the same parent. A check box raises OnClick whenever its mark changes, by the
// user or by the program; a radio button when it becomes checked. Nothing is raised when the
// mark stays as it was.

#include "ui/WinControl.h"

namespace ui {

class CheckBox : public WinControl {
public:
    explicit CheckBox(Component* owner);

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& caption() const { return text(); }
    void setCaption(const std::string& caption) { setText(caption); }
    bool checked() const { return m_checked; }
    void setChecked(bool checked);

    void click() override;

private:
    bool m_checked = false;
};

class RadioButton : public WinControl {
public:
    explicit RadioButton(Component* owner);

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& caption() const { return text(); }
    void setCaption(const std::string& caption) { setText(caption); }
    bool checked() const { return m_checked; }
    void setChecked(bool checked);

    void click() override;

private:
    bool m_checked = false;
};

} // namespace ui
