#pragma once
// The OS services, taken together so that the program wires the real ones once
// (platform/win32/Win32Services.h) and tests wire recording fakes
// (platform/fake/FakeServices.h). Whoever fills it keeps the services alive for as long as
// anything holds the references. The services of the user's desktop (sound, tray icon, shell,
// help, version resources, pointer) form a bundle of their own, platform/DesktopServices.h.

#include "platform/FileSystem.h"
#include "platform/ProcessLauncher.h"
#include "platform/Registry.h"
#include "platform/Sleeper.h"
#include "platform/WindowMessenger.h"

namespace platform {

struct Services {
    Registry& registry;
    ProcessLauncher& processes;
    WindowMessenger& windows;
    Sleeper& sleeper;
    FileSystem& files;
};

} // namespace platform
