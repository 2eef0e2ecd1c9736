#pragma once
// Windows help through WinHelpA.

#include "platform/HelpViewer.h"

namespace platform {

class Win32HelpViewer : public HelpViewer {
public:
    bool showContext(WindowHandle owner, const std::string& helpFile,
                     std::uint32_t context) override;
};

} // namespace platform
