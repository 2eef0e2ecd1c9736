#pragma once
// WinControl: a control with a window of its own (on Windows). It holds child controls, in
// order, places those that are aligned, keeps the tab order of its windowed children, and
// finds a child by name (FindChildControl, letter case ignored).
//
// Destroying a windowed control destroys what it owns first, then takes its remaining
// children (owned by someone else) out of its child list; they stay alive without parent.

#include "ui/Control.h"
#include "ui/Keys.h"

#include <string_view>
#include <vector>

namespace ui {

class WinControl : public Control {
public:
    explicit WinControl(Component* owner);
    ~WinControl() override;

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    int controlCount() const { return static_cast<int>(m_controls.size()); }
    // Throws ListIndexError outside 0..controlCount()-1.
    Control* control(int index) const;
    const std::vector<Control*>& controls() const { return m_controls; }
    // The first child, in child order, whose name equals `name` without regard to letter
    // case; null when none (and always for the empty name).
    Control* FindChildControl(std::string_view name) const;

    // The place among the parent's windowed children when moving with Tab: 0 is first.
    // A value beyond the end puts the control last; a negative one is ignored.
    std::int32_t tabOrder() const;
    void setTabOrder(std::int32_t order);
    bool tabStop() const { return m_tabStop; }
    void setTabStop(bool tabStop);
    // The windowed children in tab order.
    const std::vector<WinControl*>& tabList() const { return m_tabList; }

    // The area that children are placed in, in this control's own coordinates.
    virtual Box clientRect() const;
    std::int32_t clientWidth() const { return clientRect().width(); }
    std::int32_t clientHeight() const { return clientRect().height(); }

    // Places the aligned children: top ones first, then bottom, left, right, and the client
    // one over the rest. Runs by itself whenever the size or a child's alignment changes.
    void realign();

    // Makes the control's window and those of its windowed children, through the backend
    // (nothing headless). Runs by itself when a form is shown or a child joins a parent
    // that has a window.
    void createHandle();
    bool hasHandle() const { return peer() != nullptr; }

    // Gives the control the keyboard focus: it becomes its form's active control. Nothing
    // when it cannot take the focus (hidden, disabled, or not on a form).
    void setFocus();
    bool canFocus() const;
    bool focused() const;

    // A key went down while this control had the focus: raises OnKeyDown, whose handler may
    // swallow the key by setting it to 0. Returns whether the key was swallowed.
    virtual bool keyDown(std::uint16_t& key, std::uint8_t shift);

    KeyEvent OnKeyDown;

    // The system's colours or its high-contrast setting changed: every control below this one
    // is painted again.
    void systemColorsChanged();

    // Paints every windowless control below this one that asked for a deferred repaint.
    // The message loop runs this when it has nothing else to do.
    void paintInvalidatedControls();

protected:
    void changed(ControlChange what) override;

private:
    friend class Control;
    friend class Form;
    void insertControl(Control& control);
    void childJoined(Control& control);
    void removeControl(Control& control);

    std::vector<Control*> m_controls;
    std::vector<WinControl*> m_tabList;
    bool m_tabStop = false;
    bool m_realigning = false;
};

} // namespace ui
