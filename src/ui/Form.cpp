#include "ui/Form.h"

#include <algorithm>

namespace ui {

const std::vector<std::string> modalResultIdentifiers = {
    "mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo"};

const ClassInfo& Form::staticClassInfo()
{
    using P = Published<Form>;
    static const ClassInfo info(
        "TForm", &WinControl::staticClassInfo(),
        {
            P::enumeration(
                "BorderStyle", &Form::borderStyle, &Form::setBorderStyle,
                {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}),
            P::text("Caption", &Form::caption, &Form::setCaption),
            P::integer("ClientHeight", &WinControl::clientHeight, &Form::setClientHeight),
            P::integer("ClientWidth", &WinControl::clientWidth, &Form::setClientWidth),
            P::object("Font", &Control::font),
            P::boolean("KeyPreview", &Form::keyPreview, &Form::setKeyPreview),
            P::enumeration("Position", &Form::position, &Form::setPosition,
                           {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                            "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                            "poOwnerFormCenter"}),
            P::other("OnClose"),
            P::other("OnCreate"),
            P::other("OnDestroy"),
            P::other("OnHide"),
            P::other("OnShow"),
        });
    return info;
}

Form::Form(Component* owner) : WinControl(owner)
{
    // A form starts hidden; showing it is the program's decision.
    setVisible(false);
}

Form::~Form()
{
    destroyComponents();
}

void Form::setClientWidth(std::int32_t width)
{
    setWidth(width + m_frame.left + m_frame.right);
}

void Form::setClientHeight(std::int32_t height)
{
    setHeight(height + m_frame.top + m_frame.bottom);
}

Box Form::clientRect() const
{
    return {0, 0, std::max(width() - m_frame.left - m_frame.right, 0),
            std::max(height() - m_frame.top - m_frame.bottom, 0)};
}

void Form::setFrameInsets(const Box& insets)
{
    // The client area keeps its size; the outer size changes.
    const std::int32_t cw = clientWidth();
    const std::int32_t ch = clientHeight();
    m_frame = insets;
    setBounds(left(), top(), cw + insets.left + insets.right, ch + insets.top + insets.bottom);
}

void Form::setBorderStyle(FormBorderStyle style)
{
    if (style != m_borderStyle) {
        m_borderStyle = style;
        changed(ControlChange::State);
    }
}

void Form::setPosition(FormPosition position)
{
    m_position = position;
}

void Form::finishCreation()
{
    // A copy: a component's loaded() may make or remove components.
    const std::vector<Component*> owned = components();
    for (Component* c : owned) {
        c->loaded();
    }
    loaded();
    if (OnCreate) {
        OnCreate(*this);
    }
}

void Form::beforeDestruction()
{
    if (!m_destroyRaised) {
        m_destroyRaised = true;
        if (OnDestroy) {
            OnDestroy(*this);
        }
    }
    WinControl::beforeDestruction();
}

} // namespace ui
