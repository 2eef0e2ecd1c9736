#pragma once
// Every fake service with one shared call log, for components that take platform::Services.

#include "platform/Services.h"
#include "platform/fake/CallLog.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeProcessLauncher.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeSleeper.h"
#include "platform/fake/FakeWindowMessenger.h"

namespace platform {

struct FakeServices {
    CallLog log;
    FakeRegistry registry{log};
    FakeProcessLauncher processes{log};
    FakeWindowMessenger windows{log};
    FakeSleeper sleeper{log};
    FakeFileSystem files{log};

    FakeServices() = default;
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    Services services() { return {registry, processes, windows, sleeper, files}; }
};

} // namespace platform
