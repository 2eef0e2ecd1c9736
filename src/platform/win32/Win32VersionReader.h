#pragma once
// Version resources through GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA.

#include "platform/VersionReader.h"

namespace platform {

class Win32VersionReader : public VersionReader {
public:
    VersionStrings read(const std::string& path) override;
};

} // namespace platform
