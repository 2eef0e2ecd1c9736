#pragma once
// Other programs' windows through FindWindowExA, QueryFullProcessImageNameA,
// RegisterWindowMessageA, PostMessageA and SendMessageTimeoutA.

#include "platform/WindowMessenger.h"

namespace platform {

class Win32WindowMessenger : public WindowMessenger {
public:
    std::vector<WindowHandle> findTopLevelWindows(const std::string& className,
                                                  const std::string& title) override;
    std::optional<std::string> programPathOf(WindowHandle window) override;
    MessageId registerMessage(const std::string& name) override;
    bool postMessage(WindowHandle window, MessageId message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    bool sendCopyData(WindowHandle window, const CopyData& data,
                      std::chrono::milliseconds timeout) override;
};

} // namespace platform
