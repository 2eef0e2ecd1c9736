#include "platform/win32/Win32ShellOpener.h"

#include <windows.h>

#include <shellapi.h>

namespace platform {

bool Win32ShellOpener::open(const std::string& target)
{
    HINSTANCE result =
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values up to 32 are error codes, not instances.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace platform
