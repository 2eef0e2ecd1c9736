#pragma once
// The real OS services, alive for the whole run of the program.

#include "platform/Services.h"

namespace platform {

Services win32Services();

} // namespace platform
