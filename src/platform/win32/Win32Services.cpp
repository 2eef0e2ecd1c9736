#include "platform/win32/Win32Services.h"

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProcessLauncher.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Sleeper.h"
#include "platform/win32/Win32WindowMessenger.h"

namespace platform {

Services win32Services()
{
    // None of them holds state, so one of each serves every caller and thread.
    static Win32Registry registry;
    static Win32ProcessLauncher processes;
    static Win32WindowMessenger windows;
    static Win32Sleeper sleeper;
    static Win32FileSystem files;
    return {registry, processes, windows, sleeper, files};
}

} // namespace platform
