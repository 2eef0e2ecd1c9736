#pragma once
// Starts programs with CreateProcessA.

#include "platform/ProcessLauncher.h"

namespace platform {

class Win32ProcessLauncher : public ProcessLauncher {
public:
    bool launch(const std::string& commandLine, ShowState show, const std::string& folder) override;
};

} // namespace platform
