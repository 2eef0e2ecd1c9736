#pragma once
// Windows help through WinHelpA.

#include "platform/HelpViewer.h"

namespace platform {

class Win32HelpViewer : public HelpViewer {
public:
    bool canShow(const std::string& helpFile) override;
    bool showContext(WindowHandle owner, const std::string& helpFile,
                     std::uint32_t context) override;
};

} // namespace platform
