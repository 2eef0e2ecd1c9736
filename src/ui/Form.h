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
#include <map>

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
using MessageHandler = std::function<void(const Message& message)>;

class Button;
class MainMenu;

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

    // The menu bar; null for none. The form forgets it when the menu is destroyed.
    MainMenu* menu() const { return m_menu; }
    MainMenu* menuObject() { return m_menu; }
    void setMenu(MainMenu* menu);

    // Shows the form (making its window first) or hides it. OnShow and OnHide run on every
    // change of visibility.
    void show();

    ModalResult modalResult() const { return m_modalResult; }
    // While the form is shown modally, any result but None ends the modal loop.
    void setModalResult(ModalResult result) { m_modalResult = result; }
    bool isModal() const { return m_modal; }
    // Shows the form modally and returns its modal result once the modal loop ended (Cancel
    // when the application was terminated meanwhile). Other forms take no input meanwhile;
    // posted messages are still handled. Throws ui::Error when the form is shown already.
    ModalResult showModal();
    // Asks the form to close (the close button, Alt+F4, or the program). A modal form ends
    // its loop with Cancel. Otherwise OnClose decides, starting from Hide (Free for the
    // main form): None keeps the form, Hide or Minimize hides it, Free ends the program if
    // it is the main form and otherwise hides it.
    void close();

    // The windowed control that has the keyboard focus on this form, or null.
    WinControl* activeControl() const { return m_activeControl; }
    // Null takes the focus from every control; a control of another form is ignored.
    void setActiveControl(WinControl* control);
    // Moves the focus to the next (or previous) control in tab order that can take it.
    void selectNext(bool forward);
    // A key went down on this form: Tab and Shift+Tab move the focus, Escape clicks the
    // cancel button, Enter the default button (or the focused button); any other key (and
    // those with no button to press) goes to the focused control's keyDown. Returns whether
    // the key was used up, so that the system must do nothing more with it.
    bool handleKey(std::uint16_t key, std::uint8_t shift);

    // Window messages by id (the hotkey and tray messages of the program). A message
    // without handler is ignored.
    void setMessageHandler(std::uint32_t id, MessageHandler handler);
    bool handlesMessage(std::uint32_t id) const { return m_messageHandlers.count(id) != 0; }
    // Runs the handler of the message as a user action (an exception goes to the error box).
    // Returns whether the form has a handler for it.
    bool dispatchMessage(const Message& message);
    // Posts a message to this form through the backend's queue.
    void postMessage(std::uint32_t id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

    // The form a control is on (the control itself when it is a form), or null.
    static Form* parentForm(const Control& control);
    // Whether `form` points to a form that exists now (messages to destroyed forms vanish).
    static bool exists(const Form* form);

    // The property paths ("Caption", "ChannelLCD.Caption") of the texts that the form sets
    // itself while it runs, from its data or from the numbered message texts: a language file
    // gives no value for them, since the form would overwrite it. None unless a form says so.
    virtual std::vector<std::string> runtimeTexts() const { return {}; }

    // Ends the form's construction: loaded() on every owned component, then OnCreate.
    void finishCreation();
    void beforeDestruction() override;

    NotifyEvent OnCreate;
    NotifyEvent OnDestroy;
    NotifyEvent OnShow;
    NotifyEvent OnHide;
    CloseEvent OnClose;

protected:
    void changed(ControlChange what) override;
    void notification(Component& component, Operation operation) override;

private:
    friend class WinControl;
    void controlLeaving(Control& control);
    Button* findButton(bool (*wanted)(const Button&)) const;

    Box m_frame{0, 0, 0, 0};
    MainMenu* m_menu = nullptr;
    WinControl* m_activeControl = nullptr;
    bool m_modal = false;
    std::map<std::uint32_t, MessageHandler> m_messageHandlers;
    FormBorderStyle m_borderStyle = FormBorderStyle::Sizeable;
    FormPosition m_position = FormPosition::Designed;
    bool m_keyPreview = false;
    ModalResult m_modalResult = ModalResult::None;
    bool m_destroyRaised = false;
};

extern const std::vector<std::string> modalResultIdentifiers;

} // namespace ui
