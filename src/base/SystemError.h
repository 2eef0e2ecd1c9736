#pragma once
// A failed call of the system as a value: which call, the system's code, and the system's text
// for it. Taken at the call, right after it failed, before anything else can change the
// system's last error (lastSystemError). On Windows the code is GetLastError's and
// base/win32/Win32Error.h throws the same as an exception; elsewhere it is errno's.

#include <cstdint>
#include <string>

namespace base {

struct SystemError {
    std::string call;
    std::uint32_t code = 0;
    std::string message;
};

// The error of the call that just failed on this thread.
SystemError lastSystemError(std::string call);

} // namespace base
