#pragma once
// Edit: a one-line text field. Text is its content; OnChange runs after every change of the
// text, whether the user typed it or the program set it. A read-only field takes no typing
// but still reports its key downs (OnKeyDown, through Form::handleKey). A password
// character, when set, is shown instead of every character.

#include "ui/WinControl.h"

namespace ui {

class Edit : public WinControl {
public:
    explicit Edit(Component* owner);

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Text is the control's text (Control::text and setText).
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    // 0 for none.
    char passwordChar() const { return m_passwordChar; }
    void setPasswordChar(char c);
    // The most characters the user may type; 0 for no limit. The program is not limited.
    std::int32_t maxLength() const { return m_maxLength; }
    void setMaxLength(std::int32_t length);

    // The user changed the text in the field (typing, pasting, deleting). Ignored for a
    // read-only field; cut to maxLength.
    void textEdited(const std::string& text);

    NotifyEvent OnChange;

protected:
    void textChanged() override;

private:
    bool m_readOnly = false;
    char m_passwordChar = 0;
    std::int32_t m_maxLength = 0;
};

} // namespace ui
