#include "platform/win32/Win32Sleeper.h"

#include <windows.h>

namespace platform {

void Win32Sleeper::sleep(std::chrono::milliseconds duration)
{
    Sleep(static_cast<DWORD>(duration.count()));
}

} // namespace platform
