#include "platform/win32/Win32WindowMessenger.h"

#include "base/win32/Handles.h"

#include <windows.h>

namespace platform {

using base::win32::UniqueKernelHandle;

namespace {

HWND toHwnd(WindowHandle window)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

} // namespace

std::vector<WindowHandle> Win32WindowMessenger::findTopLevelWindows(const std::string& className,
                                                                    const std::string& title)
{
    // Any program may open windows of any class and title; a desktop never holds hundreds
    // of them, and the bound keeps a search finite while windows come and go.
    constexpr std::size_t MostWindows = 256;
    std::vector<WindowHandle> found;
    HWND after = nullptr;
    while (found.size() < MostWindows) {
        after = FindWindowExA(nullptr, after, className.c_str(), title.c_str());
        if (!after)
            break;
        found.push_back(static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(after)));
    }
    return found;
}

std::optional<std::string> Win32WindowMessenger::programPathOf(WindowHandle window)
{
    DWORD processId = 0;
    if (window == WindowHandle::None || !GetWindowThreadProcessId(toHwnd(window), &processId) ||
        processId == 0)
        return std::nullopt;
    // The limited right is granted for processes of other users and of higher integrity too.
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return std::nullopt;
    for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 4) {
        std::string path(capacity, '\0');
        DWORD size = capacity;
        if (QueryFullProcessImageNameA(process.get(), 0, path.data(), &size)) {
            path.resize(size);
            return path;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    return std::nullopt;
}

MessageId Win32WindowMessenger::registerMessage(const std::string& name)
{
    return RegisterWindowMessageA(name.c_str());
}

bool Win32WindowMessenger::postMessage(WindowHandle window, MessageId message,
                                       std::uintptr_t wParam, std::intptr_t lParam)
{
    // Posting to no window would queue the message for this very thread instead.
    if (window == WindowHandle::None)
        return false;
    return PostMessageA(toHwnd(window), message, wParam, lParam) != FALSE;
}

bool Win32WindowMessenger::sendCopyData(WindowHandle window, const CopyData& data,
                                        std::chrono::milliseconds timeout)
{
    if (window == WindowHandle::None)
        return false;
    COPYDATASTRUCT record{};
    record.dwData = data.dwData;
    record.cbData = data.cbData;
    record.lpData = const_cast<void*>(data.lpData); // the receiver gets its own copy
    DWORD_PTR answer = 0;
    // SMTO_NORMAL keeps this thread answering messages sent to it while it waits, so a
    // receiver that sends something back cannot deadlock us; SMTO_ABORTIFHUNG gives up at
    // once on a receiver the system already deems hung.
    LRESULT sent = SendMessageTimeoutA(
        toHwnd(window), WM_COPYDATA, reinterpret_cast<WPARAM>(GetModuleHandleA(nullptr)),
        reinterpret_cast<LPARAM>(&record), SMTO_NORMAL | SMTO_ABORTIFHUNG,
        static_cast<UINT>(timeout.count()), &answer);
    return sent != 0;
}

} // namespace platform
