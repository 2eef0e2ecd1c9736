#pragma once
// The windowing system behind the model. The model keeps all state and behaviour; a backend
// realises it: ui/win32 shows real windows and forwards the system's notifications to the
// model, ui/headless keeps only the model and lets a test answer whatever would wait for the
// user (message boxes, modal forms, file dialogs).
//
// One backend is installed at a time: constructing a backend installs it, destroying it
// restores the one that was installed before (so backends nest like scopes, innermost last).

#include <cstdint>
#include <string>

namespace ui {

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
