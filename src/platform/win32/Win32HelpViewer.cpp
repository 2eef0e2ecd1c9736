#include "platform/win32/Win32HelpViewer.h"

#include <windows.h>

namespace platform {

bool Win32HelpViewer::showContext(WindowHandle owner, const std::string& helpFile,
                                  std::uint32_t context)
{
    return WinHelpA(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner)), helpFile.c_str(),
                    HELP_CONTEXT, context) != FALSE;
}

} // namespace platform
