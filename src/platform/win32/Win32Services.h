#pragma once
// The real OS services, alive for the whole run of the program.

#include "platform/DesktopServices.h"
#include "platform/Services.h"

namespace platform {

Services win32Services();
// Kept apart from win32Services() in the build, so that programs without a user interface do
// not link the sound, shell and version libraries.
DesktopServices win32DesktopServices();

} // namespace platform
