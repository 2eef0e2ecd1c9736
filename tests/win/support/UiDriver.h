#pragma once
// Driving the program's own forms as real windows inside a Windows test: handling their
// messages while waiting, running host commands (xdotool, import) that act on the X server
// as a user would, and scripting a modal loop from inside it.

#include "ui/Application.h"

#include <functional>
#include <string>

namespace wintest {

// Handles the program's messages, through the backend, until `done` or `timeoutMs` have passed.
bool pumpUntil(ui::Application& app, const std::function<bool()>& done, unsigned timeoutMs = 10000);

// Runs a command of the Linux host and waits for it, handling messages meanwhile: the X
// server's events for our windows arrive through the message loop. Wine gives no handle for
// a Linux process, so the command leaves its exit code in a file. Returns that code, or -1.
int runOnHost(ui::Application& app, const std::string& command);

// Keys pressed on the X window whose title is `title`, after giving it the keyboard focus.
int pressKeys(ui::Application& app, const std::string& title, const std::string& keys);

// A picture of the window with that title in $KESTRION_SCREENSHOT_DIR, if that is set.
void screenshot(ui::Application& app, const std::string& title, const std::string& file);

// Runs `script` once the next modal loop is waiting for input.
void whenShown(std::function<void()> script);

// The application's open form of class F (a dialog shown from a menu), or null.
template <class F>
F* openForm(const ui::Application& app)
{
    for (ui::Component* c : app.components()) {
        if (auto* form = dynamic_cast<F*>(c)) {
            return form;
        }
    }
    return nullptr;
}

} // namespace wintest
