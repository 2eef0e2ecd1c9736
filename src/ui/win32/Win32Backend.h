#pragma once
// The Windows backend: every windowed control becomes a real window (common controls for
// the track bar, the system's button, edit, list box and static classes, a window class of
// our own for forms and panels), menus become real menus, and the system's notifications
// go to the model's functions as user actions:
//
//   button, check box, radio button, label click   -> Control::click
//   edit text changed (EN_CHANGE)                   -> Edit::textEdited
//   list box selection (LBN_SELCHANGE)              -> ListBox::selectedByUser
//   track bar scroll (every WM_HSCROLL/WM_VSCROLL)  -> TrackBar::scrolledByUser
//   menu command (WM_COMMAND)                       -> MenuItem::click
//   key down in a form (from the message loop)      -> Form::handleKey
//   right-click (WM_CONTEXTMENU)                    -> Control::contextPopup
//   close button (WM_CLOSE)                         -> Form::close
//   a message id the form handles                   -> Form::dispatchMessage
//   focus arriving in a control (WM_SETFOCUS)       -> Form::setActiveControl
//
// and back: the model's changes are written to the windows, and windowless controls are
// painted on WM_PAINT of their parent and presented with one SetDIBitsToDevice.
//
// Construct one Win32Backend at program start (it installs itself, see ui/Backend.h), before
// the Application; it makes the application's hidden owner window.

#include "ui/Backend.h"

#include <windows.h>

namespace ui {
class Control;
}

namespace ui::win32 {

class Win32Backend : public ui::Backend {
public:
    explicit Win32Backend(HINSTANCE instance = GetModuleHandleA(nullptr));
    ~Win32Backend() override;

    ModalResult showMessageBox(const MessageBoxRequest& request) override;
    std::uint32_t systemColor(int index) const override;
    std::unique_ptr<ControlPeer> createPeer(WinControl& control) override;
    void applicationChanged(Application& application) override;
    void postMessage(Form& target, const Message& message) override;
    void processMessages() override;
    void runMessageLoop(Application& application) override;
    void quit() override;
    void runModalLoop(Form& form) override;
    MenuItem* trackPopupMenu(PopupMenu& menu, int x, int y) override;
    bool executeOpenDialog(OpenDialog& dialog) override;

    // The application's hidden owner window.
    HWND applicationWindow() const { return m_appWindow; }
    HINSTANCE instance() const { return m_instance; }
    HWND tooltipWindow();

private:
    // Handles one message from the queue (the key downs of our forms first go to the
    // model). Returns false on WM_QUIT.
    bool handleOne(const MSG& msg);

    HINSTANCE m_instance;
    HWND m_appWindow = nullptr;
    HWND m_tooltip = nullptr;
};

// The window of a control: its own, or for a windowless control its parent's; null when the
// control has none yet. A form makes its window when it is first shown or given a message;
// call createHandle() on a hidden form whose window is needed earlier (a hook, a tray icon).
HWND windowHandle(const Control& control);

} // namespace ui::win32
