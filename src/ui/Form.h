#pragma once
// Form: a top-level window that owns all its components. A form class builds its
// components in its constructor, in their stored order, setting each property through its
// setter, and ends the constructor with finishCreation():
//
//     TSoundsDlg::TSoundsDlg(ui::Component* owner) : ui::Form(owner)
//     {
//         setName("SoundsDlg");
//         setCaption("Channel Sound");
//         RadioButton1 = new ui::RadioButton(this);
//         RadioButton1->setName("RadioButton1");
//         RadioButton1->setParent(this);
//         ...
//         finishCreation();   // loaded() on every component, then OnCreate
//     }
//
// Destroying a form (ui::destroy, or its owner going) raises OnDestroy first, while the
// whole form is still there, then deletes its components, the last made first.

#include "ui/Backend.h"
#include "ui/WinControl.h"

#include <functional>

namespace ui {

enum class FormBorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class FormPosition {
    Designed,
    Default,
    DefaultPosOnly,
    DefaultSizeOnly,
    ScreenCenter,
    DesktopCenter,
    MainFormCenter,
    OwnerFormCenter,
};
// What closing a form does: nothing, hide it, or (for the main form) end the program.
enum class CloseAction { None, Hide, Free, Minimize };

using CloseEvent = std::function<void(Persistent& sender, CloseAction& action)>;

class Form : public WinControl {
public:
    explicit Form(Component* owner);
    ~Form() override;

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& caption() const { return text(); }
    void setCaption(const std::string& caption) { setText(caption); }

    // The client area's size; the outer size follows through the frame.
    void setClientWidth(std::int32_t width);
    void setClientHeight(std::int32_t height);
    Box clientRect() const override;
    // The widths of the frame, caption and menu bar around the client area: left, top,
    // right, bottom. Zero headless; the Windows backend sets them from the window's style.
    const Box& frameInsets() const { return m_frame; }
    void setFrameInsets(const Box& insets);

    FormBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(FormBorderStyle style);
    FormPosition position() const { return m_position; }
    void setPosition(FormPosition position);
    bool keyPreview() const { return m_keyPreview; }
    void setKeyPreview(bool keyPreview) { m_keyPreview = keyPreview; }

    ModalResult modalResult() const { return m_modalResult; }
    // While the form is shown modally, any result but None ends the modal loop.
    void setModalResult(ModalResult result) { m_modalResult = result; }

    // Ends the form's construction: loaded() on every owned component, then OnCreate.
    void finishCreation();
    void beforeDestruction() override;

    NotifyEvent OnCreate;
    NotifyEvent OnDestroy;
    NotifyEvent OnShow;
    NotifyEvent OnHide;
    CloseEvent OnClose;

private:
    Box m_frame{0, 0, 0, 0};
    FormBorderStyle m_borderStyle = FormBorderStyle::Sizeable;
    FormPosition m_position = FormPosition::Designed;
    bool m_keyPreview = false;
    ModalResult m_modalResult = ModalResult::None;
    bool m_destroyRaised = false;
};

extern const std::vector<std::string> modalResultIdentifiers;

} // namespace ui
