#pragma once
// Questions about files.

#include <string>

namespace platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True when a file (not a folder) of that path exists. Any failure to tell gives false.
    virtual bool fileExists(const std::string& path) = 0;
};

} // namespace platform
