#include "platform/win32/Win32Services.h"

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32HelpViewer.h"
#include "platform/win32/Win32NotificationArea.h"
#include "platform/win32/Win32ShellOpener.h"
#include "platform/win32/Win32SoundPlayer.h"
#include "platform/win32/Win32VersionReader.h"

namespace platform {

DesktopServices win32DesktopServices()
{
    // None of them holds state either; an icon shown belongs to the window in its record.
    static Win32SoundPlayer sounds;
    static Win32NotificationArea tray;
    static Win32ShellOpener shell;
    static Win32HelpViewer help;
    static Win32VersionReader versions;
    static Win32Desktop desktop;
    return {sounds, tray, shell, help, versions, desktop};
}

} // namespace platform
