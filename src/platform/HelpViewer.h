#pragma once
// The program's Windows help file (.HLP), shown by the system's help viewer.

#include "platform/WindowMessenger.h"

#include <cstdint>
#include <string>

namespace platform {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // True when the help file exists and the system has a viewer that shows such files. Current
    // Windows versions ship only a stand-in viewer that explains that help of this kind is no
    // longer supported; that one does not count. Any failure to tell gives false.
    virtual bool canShow(const std::string& helpFile) = 0;
    // Opens the help file at the topic of that context number (WinHelpA with HELP_CONTEXT),
    // for the given window. The path is handed over as given; a relative path is taken from the
    // current folder. True when the help viewer took the request; whether the file exists is
    // the viewer's business, which reports it itself.
    virtual bool showContext(WindowHandle owner, const std::string& helpFile,
                             std::uint32_t context) = 0;
};

} // namespace platform
