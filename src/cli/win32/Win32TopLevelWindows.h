#pragma once
// The top-level windows of a class through EnumWindows and GetClassNameA, with their
// processes through GetWindowThreadProcessId and QueryFullProcessImageNameA.

#include "cli/PressCommands.h"

namespace cli {

class Win32TopLevelWindows : public TopLevelWindows {
public:
    std::vector<Window> ofClass(const std::string& className) override;
};

} // namespace cli
