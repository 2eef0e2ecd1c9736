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
// The model keeps every position and size in design units, 96-dpi pixels (ui/Screen.h). Each
// window is laid out at the dpi of its monitor (the program declares per-monitor awareness;
// see Win32Dpi.h for the fallbacks on older Windows): bounds, client sizes, fonts, the track
// bar's thumb and the icons. A form moved to a monitor of another dpi is laid out again
// (WM_DPICHANGED). A form that opens at its designed place or centred over the main form is
// kept inside the work area of its monitor.
//
// Construct one Win32Backend at program start (it installs itself, see ui/Backend.h), before
// the Application; it makes the application's hidden owner window.

#include "base/win32/Handles.h"
#include "ui/Backend.h"

#include <windows.h>

namespace ui {
class Control;
class WinControl;
} // namespace ui

namespace ui::win32 {

class Win32Backend : public ui::Backend {
public:
    explicit Win32Backend(HINSTANCE instance = GetModuleHandleA(nullptr));
    ~Win32Backend() override;

    ModalResult showMessageBox(const MessageBoxRequest& request) override;
    std::uint32_t systemColor(int index) const override;
    bool highContrast() const override;
    std::string keyName(std::uint16_t key) const override;
    void accessibleEvent(Control& control, AccessibleEvent event) override;
    void announce(Control& control, const std::string& text) override;
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
    HWND applicationWindow() const { return m_appWindow.get(); }
    HINSTANCE instance() const { return m_instance; }
    HWND tooltipWindow();

private:
    // Handles one message from the queue (the key downs of our forms first go to the
    // model). Returns false on WM_QUIT.
    bool handleOne(const MSG& msg);

    HINSTANCE m_instance;
    base::win32::UniqueWindow m_appWindow;
    base::win32::UniqueWindow m_tooltip;
    // Sees every message this thread takes from its queue, in any message loop (ours, a
    // message box's, a menu's, a file dialog's), and drops those that only the system may
    // send and another program may have posted.
    base::win32::UniqueHook m_queueFilter;
};

// How the text of a label, check box, radio button or button fits its window, in the window's
// pixels: the extent of the text in the window's font (access-key marks left out), and the
// room the control gives it: a label's client area; a check box's or radio button's without
// its box and the gap before the text; a button's inside its edges. All zero when the control
// has no window.
struct TextFit {
    SIZE extent{};
    SIZE room{};
    bool fits() const { return extent.cx <= room.cx && extent.cy <= room.cy; }
};
TextFit measureText(const WinControl& control);

// The dots per inch the control's window is laid out at; 96 without a window.
int layoutDpi(const Control& control);

// The window of a control: its own, or for a windowless control its parent's; null when the
// control has none yet. A form makes its window when it is first shown or given a message;
// call createHandle() on a hidden form whose window is needed earlier (a hook, a tray icon).
HWND windowHandle(const Control& control);

} // namespace ui::win32
