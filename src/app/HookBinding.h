#pragma once
// The program's binding to the keyboard-hook library: install the hook for the main window
// with the current profile's path, and remove it. The program binds kestrihk.dll
// (win32/KestrihkBinding.cpp); tests use a recording fake.

#include "platform/WindowMessenger.h"

#include <string>

namespace app {

class HookBinding {
public:
    virtual ~HookBinding() = default;
    // Installs the hook; the library reads the hotkeys from the profile at `profilePath`
    // (cut to 255 characters), and again whenever the file changes, and posts its messages to
    // `window` from a thread of its own, so they arrive like any posted message, also those of
    // keys pressed while the window's thread was busy. True when installed.
    virtual bool SetTheHook(platform::WindowHandle window, const std::string& profilePath) = 0;
    // Removes the hook; once it returns, no more hotkey messages are posted.
    virtual void ClearTheHook() = 0;
};

} // namespace app
