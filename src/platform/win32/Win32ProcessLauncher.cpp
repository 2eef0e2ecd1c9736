#include "platform/win32/Win32ProcessLauncher.h"

#include "base/win32/Handles.h"

#include <vector>

namespace platform {

using base::win32::UniqueKernelHandle;

bool Win32ProcessLauncher::launch(const std::string& commandLine, ShowState show,
                                  const std::string& folder)
{
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show == ShowState::Hidden ? SW_HIDE : SW_SHOWNORMAL);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return false;
    // Nobody waits for or watches the process.
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    return true;
}

} // namespace platform
