#pragma once
// Opening addresses and documents through ShellExecuteA.

#include "platform/ShellOpener.h"

namespace platform {

class Win32ShellOpener : public ShellOpener {
public:
    bool open(const std::string& target) override;
};

} // namespace platform
