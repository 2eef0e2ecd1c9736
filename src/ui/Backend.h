#pragma once
// The windowing system behind the model. The model keeps all state and behaviour; a backend
// realises it: ui/win32 shows real windows and forwards the system's notifications to the
// model, ui/headless keeps only the model and lets a test answer whatever would wait for the
// user (message boxes, modal forms, file dialogs).
//
// One backend is installed at a time: constructing a backend installs it, destroying it
// restores the one that was installed before (so backends nest like scopes, innermost last).

#include "ui/Accessible.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ui {

class Application;
class Control;
class ControlPeer;
class Form;
class MenuItem;
class OpenDialog;
class PopupMenu;
class WinControl;

// A window message for a form, with its two parameters.
struct Message {
    std::uint32_t id = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    friend bool operator==(const Message&, const Message&) = default;
};

// The result of a modal form or a message box. The numbers are the system's button ids.
enum class ModalResult {
    None = 0,
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7
};

enum class MessageIcon { None, Error, Warning, Information, Question };

// The button sets of a message box, in the system's order.
enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

class Backend {
public:
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;
    virtual ~Backend();

    // Shows a modal message box and returns the button the user chose (the box's cancel
    // button, or its only button, when the user closed it otherwise). Messages posted meanwhile
    // are handled by the box's loop.
    virtual ModalResult showMessageBox(const MessageBoxRequest& request) = 0;
    // A system colour by its index, as 0x00BBGGRR.
    virtual std::uint32_t systemColor(int index) const = 0;
    // Whether the system's high-contrast setting is on.
    virtual bool highContrast() const { return false; }
    // The name of a key (a virtual-key code) on this keyboard, as the system gives it ("F5",
    // "Num 7"); ui::standardKeyName where the system has none.
    virtual std::string keyName(std::uint16_t key) const;

    // A control's accessible name or value changed: screen readers hear of it.
    virtual void accessibleEvent(Control& control, AccessibleEvent event) = 0;
    // Screen readers are asked to speak `text` for the control's window, where the system can.
    virtual void announce(Control& control, const std::string& text) = 0;

    // Makes the window of a windowed control (its parent's window exists already). Null: the
    // control stays a model without window, as all controls are headless.
    virtual std::unique_ptr<ControlPeer> createPeer(WinControl& control) = 0;
    // The application's title, tool-window style or main form changed.
    virtual void applicationChanged(Application& application) = 0;

    // Puts a message at the end of the queue; the loop hands it to the form later.
    virtual void postMessage(Form& target, const Message& message) = 0;
    // Handles every message waiting in the queue, then returns.
    virtual void processMessages() = 0;
    // The program's message loop: handles messages until the application is terminated.
    virtual void runMessageLoop(Application& application) = 0;
    // Tells the loop to end (after the application set its terminated flag).
    virtual void quit() = 0;
    // A modal form's loop: handles messages until the form has a modal result or the
    // application is terminated. The form is shown and every other form disabled meanwhile.
    virtual void runModalLoop(Form& form) = 0;
    // Shows a pop-up menu at a screen point; returns the item the user chose, or null.
    virtual MenuItem* trackPopupMenu(PopupMenu& menu, int x, int y) = 0;
    // Shows a file-open dialog; true when the user chose a file (the dialog's FileName then
    // holds its full path).
    virtual bool executeOpenDialog(OpenDialog& dialog) = 0;

protected:
    // Installs this backend; see the top of this file.
    Backend();

private:
    Backend* m_previous;
};

// The installed backend, or null.
Backend* currentBackend();
// The installed backend. Throws std::logic_error when none is installed: that is a fault of
// the program (WinMain installs the Windows backend, tests a headless one).
Backend& backend();

// Shows a message box through the installed backend.
ModalResult showMessageBox(const MessageBoxRequest& request);

} // namespace ui
