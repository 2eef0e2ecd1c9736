#pragma once
// The headless backend: keeps only the model. Controls get no windows; posted messages wait
// in a queue until processMessages() or a modal loop hands them out; whatever would wait for
// the user (message boxes, modal forms, pop-up menus, file dialogs) is answered by a
// callback that a test sets, and everything shown is recorded.
//
//     ui::headless::HeadlessBackend backend;            // installed until it goes
//     backend.answerMessageBoxes([](const ui::MessageBoxRequest&) { return ui::ModalResult::No; });
//     ... run the code under test ...
//     EXPECT_EQ(backend.messageBoxes().at(0).caption, "Error");
//
// Defaults when no answer is set: a message box gets its first button (OK, Abort, Yes or
// Retry), a modal form is closed (Cancel), a pop-up menu is dismissed, a file dialog is
// cancelled. Every modal loop first hands out the messages that wait in the queue, then asks
// the answer, then hands out what the answer posted, as a real loop would while it is open.
//
// Acting as the user: see ui/headless/User.h.

#include "ui/Backend.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui::headless {

// A change a screen reader would have heard of, with the control's accessible name and value
// at that moment.
struct AccessibleEventRecord {
    const Control* control = nullptr;
    AccessibleEvent event = AccessibleEvent::NameChange;
    std::string name;
    std::string value;
};

struct Announcement {
    const Control* control = nullptr;
    std::string text;
};

class HeadlessBackend : public ui::Backend {
public:
    using MessageBoxAnswer = std::function<ModalResult(const MessageBoxRequest&)>;
    // Drives the form as the user would (clicking its buttons, typing) and returns the
    // result to close it with; a form whose modal result is set already keeps that.
    using ModalAnswer = std::function<ModalResult(Form&)>;
    using PopupAnswer = std::function<MenuItem*(PopupMenu&, int x, int y)>;
    // The full path of the file the user chooses, or nothing to cancel.
    using FileAnswer = std::function<std::optional<std::string>(OpenDialog&)>;

    HeadlessBackend() = default;

    void answerMessageBoxes(MessageBoxAnswer answer) { m_messageBoxAnswer = std::move(answer); }
    void answerModalForms(ModalAnswer answer) { m_modalAnswer = std::move(answer); }
    void answerPopupMenus(PopupAnswer answer) { m_popupAnswer = std::move(answer); }
    void answerFileDialogs(FileAnswer answer) { m_fileAnswer = std::move(answer); }

    // Every message box shown, in order.
    const std::vector<MessageBoxRequest>& messageBoxes() const { return m_messageBoxes; }
    void clearMessageBoxes() { m_messageBoxes.clear(); }
    // The class names of the forms shown modally, in order.
    const std::vector<std::string>& modalForms() const { return m_modalForms; }
    // The screen points at which pop-up menus were shown, in order.
    const std::vector<std::pair<int, int>>& popupPoints() const { return m_popupPoints; }
    // The titles of the file dialogs shown, in order.
    const std::vector<std::string>& fileDialogs() const { return m_fileDialogs; }
    // The messages waiting in the queue.
    std::size_t pendingMessages() const { return m_queue.size(); }
    // How many times the application asked the loop to end.
    int quitRequests() const { return m_quitRequests; }
    // Every accessible event and announcement raised, in order.
    const std::vector<AccessibleEventRecord>& accessibleEvents() const { return m_events; }
    const std::vector<Announcement>& announcements() const { return m_announcements; }
    void clearAccessibleEvents()
    {
        m_events.clear();
        m_announcements.clear();
    }
    // Turns the high-contrast setting on or off. While it is on, the window colour is black
    // and the window-text colour white, as in a dark high-contrast theme.
    void setHighContrast(bool on) { m_highContrast = on; }

    ModalResult showMessageBox(const MessageBoxRequest& request) override;
    std::uint32_t systemColor(int index) const override;
    bool highContrast() const override { return m_highContrast; }
    void accessibleEvent(Control& control, AccessibleEvent event) override;
    void announce(Control& control, const std::string& text) override;
    std::unique_ptr<ControlPeer> createPeer(WinControl& control) override;
    void applicationChanged(Application& application) override;
    void postMessage(Form& target, const Message& message) override;
    // Hands out every waiting message in order (also those posted meanwhile), then paints
    // the windowless controls of every form that asked for a repaint.
    void processMessages() override;
    // Hands out messages until the application is terminated or none is left, and returns:
    // headless, nothing arrives from outside.
    void runMessageLoop(Application& application) override;
    void quit() override;
    void runModalLoop(Form& form) override;
    MenuItem* trackPopupMenu(PopupMenu& menu, int x, int y) override;
    bool executeOpenDialog(OpenDialog& dialog) override;

private:
    bool handOutOne();

    MessageBoxAnswer m_messageBoxAnswer;
    ModalAnswer m_modalAnswer;
    PopupAnswer m_popupAnswer;
    FileAnswer m_fileAnswer;
    std::vector<MessageBoxRequest> m_messageBoxes;
    std::vector<std::string> m_modalForms;
    std::vector<std::pair<int, int>> m_popupPoints;
    std::vector<std::string> m_fileDialogs;
    std::deque<std::pair<Form*, Message>> m_queue;
    int m_quitRequests = 0;
    std::vector<AccessibleEventRecord> m_events;
    std::vector<Announcement> m_announcements;
    bool m_highContrast = false;
};

// The first button of a button set: the answer of a user who presses Enter.
ModalResult firstButton(MessageButtons buttons);

} // namespace ui::headless
