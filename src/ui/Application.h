#pragma once
// Application: the program object. It holds the title (the caption of message boxes and of
// the standard error box), the help file, whether the main form shows when the loop starts,
// and the forms, which it owns.
//
// The standard error box: an exception raised inside a user action ends that action and is
// shown in a message box with the error icon, the text of the exception and the
// application's title. Every notification the backend forwards to the model runs through
// handleExceptions, so nothing propagates into the windowing system.
//
// One application exists at a time: constructing it makes it current(), destroying it
// clears that.

#include "ui/Backend.h"
#include "ui/Component.h"

#include <exception>
#include <functional>
#include <string>

namespace ui {

class Form;

class Application : public Component {
public:
    Application();
    ~Application() override;

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    // The application made last that still exists, or null.
    static Application* current();

    const std::string& title() const { return m_title; }
    void setTitle(const std::string& title);
    const std::string& helpFile() const { return m_helpFile; }
    void setHelpFile(const std::string& path) { m_helpFile = path; }
    bool showMainForm() const { return m_showMainForm; }
    void setShowMainForm(bool show) { m_showMainForm = show; }

    // The extended tool-window style of the application's hidden owner window (no task-bar
    // button for the program).
    bool toolWindowOwner() const { return m_toolWindowOwner; }
    void setToolWindowOwner(bool toolWindow);

    // Makes a form owned by the application; the first one made becomes the main form.
    template <class T, class... Args>
    T& createForm(Args&&... args)
    {
        T* form = new T(this, std::forward<Args>(args)...);
        if (!m_mainForm) {
            m_mainForm = form;
            changed();
        }
        return *form;
    }
    Form* mainForm() const { return m_mainForm; }

    // The message loop: shows the main form if showMainForm() is set, then handles
    // messages until terminate() (headless: until no message is waiting).
    void run();
    // Ends the message loop (and every modal loop) once the present message is handled.
    void terminate();
    bool terminated() const { return m_terminated; }
    // Handles every message waiting in the queue, then returns.
    void processMessages();

    // A modal message box with the given caption.
    ModalResult messageBox(const std::string& text, const std::string& caption,
                           MessageIcon icon = MessageIcon::None,
                           MessageButtons buttons = MessageButtons::Ok);
    // The standard error box for an exception: its text, the error icon, the title, OK.
    void showException(const std::exception& error);
    // Runs `action`; an exception derived from std::exception ends it and is shown in the
    // standard error box. Returns false when the action ended with an exception.
    bool handleExceptions(const std::function<void()>& action);

protected:
    void notification(Component& component, Operation operation) override;

private:
    void changed();

    Form* m_mainForm = nullptr;
    bool m_toolWindowOwner = false;
    bool m_terminated = false;
    std::string m_title;
    std::string m_helpFile;
    bool m_showMainForm = true;
    Application* m_previous;
};

// Runs a user action with the current application's error box (or, without application,
// the standard error box with an empty caption).
bool runUserAction(const std::function<void()>& action);

} // namespace ui
