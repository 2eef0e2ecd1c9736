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
    // (cut to 255 characters) and posts its messages to `window`. True when installed.
    virtual bool SetTheHook(platform::WindowHandle window, const std::string& profilePath) = 0;
    // Removes the hook.
    virtual void ClearTheHook() = 0;
};

} // namespace app
