#pragma once
// The services of the user's desktop that the main window uses: sound, the notification area,
// opening addresses, help, version resources, the pointer and the foreground window. They are
// a bundle of their own beside platform::Services, because the client link and kestrion-cli
// need none of them; the program wires the real ones once
// (platform/win32/Win32Services.h) and tests wire recording fakes
// (platform/fake/FakeServices.h). Whoever fills it keeps the services alive for as long as
// anything holds the references.

#include "platform/Desktop.h"
#include "platform/HelpViewer.h"
#include "platform/NotificationArea.h"
#include "platform/ShellOpener.h"
#include "platform/SoundPlayer.h"
#include "platform/VersionReader.h"

namespace platform {

struct DesktopServices {
    SoundPlayer& sounds;
    NotificationArea& tray;
    ShellOpener& shell;
    HelpViewer& help;
    VersionReader& versions;
    Desktop& desktop;
};

} // namespace platform
