#pragma once
// The registry of this machine, read only (RegOpenKeyExA with KEY_READ, RegQueryValueExA).

#include "platform/Registry.h"

namespace platform {

class Win32Registry : public Registry {
public:
    std::unique_ptr<RegistryKey> openKey(RootKey root, const std::string& path) override;
};

} // namespace platform
