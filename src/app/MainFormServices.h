#pragma once
// What the main window needs from outside the process, handed to it by whoever creates it:
// the program wires the real services in WinMain, tests wire recording fakes.

#include "app/HookBinding.h"
#include "app/RogerWilco.h"
#include "platform/DesktopServices.h"
#include "platform/Services.h"

#include <functional>
#include <string>

namespace ui {
class Form;
}

namespace app {

struct MainFormServices {
    RogerWilco& link;
    platform::Services os;
    platform::DesktopServices desktop;
    HookBinding& hook;
    // The full path of the program's executable; the home profile, the languages folder and
    // the open dialog's first folder are taken from it.
    std::string programPath;
    // The window-system handle of a form (for the hook, the tray icon, help and the
    // foreground); None headless.
    std::function<platform::WindowHandle(const ui::Form&)> windowHandle;
};

} // namespace app
