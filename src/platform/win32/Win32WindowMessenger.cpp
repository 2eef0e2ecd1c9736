#include "platform/win32/Win32WindowMessenger.h"

#include <windows.h>

namespace platform {

namespace {

HWND toHwnd(WindowHandle window)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

} // namespace

WindowHandle Win32WindowMessenger::findTopLevelWindow(const std::string& className,
                                                      const std::string& title)
{
    HWND found = FindWindowA(className.c_str(), title.c_str());
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(found));
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
