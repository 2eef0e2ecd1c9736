#pragma once
// Every fake service with one shared call log, for components that take platform::Services
// or platform::DesktopServices.

#include "platform/DesktopServices.h"
#include "platform/Services.h"
#include "platform/fake/CallLog.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeHelpViewer.h"
#include "platform/fake/FakeNotificationArea.h"
#include "platform/fake/FakeProcessLauncher.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeShellOpener.h"
#include "platform/fake/FakeSleeper.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "platform/fake/FakeVersionReader.h"
#include "platform/fake/FakeWindowMessenger.h"

namespace platform {

struct FakeServices {
    CallLog log;
    FakeRegistry registry{log};
    FakeProcessLauncher processes{log};
    FakeWindowMessenger windows{log};
    FakeSleeper sleeper{log};
    FakeFileSystem files{log};
    FakeSoundPlayer sounds{log};
    FakeNotificationArea tray{log};
    FakeShellOpener shell{log};
    FakeHelpViewer help{log};
    FakeVersionReader versions{log};
    FakeDesktop desktop{log};

    FakeServices() = default;
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    Services services() { return {registry, processes, windows, sleeper, files}; }
    DesktopServices desktopServices() { return {sounds, tray, shell, help, versions, desktop}; }
};

} // namespace platform
