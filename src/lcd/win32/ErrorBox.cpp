#include "lcd/LCDLabel.h"

#include <windows.h>

namespace lcd {

ErrorBox platformErrorBox()
{
    return [](const std::string& message) {
        MessageBoxA(GetActiveWindow(), message.c_str(), "Error",
                    MB_OK | MB_ICONERROR | MB_TASKMODAL);
    };
}

} // namespace lcd
