#pragma once

#include "platform/FileSystem.h"

namespace platform {

// Files of this machine, by ANSI path.
class Win32FileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) override;
};

} // namespace platform
