#pragma once
// A registry in memory. Logs "open <HKLM|HKCU>\<path>" for every openKey, found or not.
// Key paths are matched without regard to letter case, as the registry does; value names too.

#include "platform/Registry.h"
#include "platform/fake/CallLog.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace platform {

class FakeRegistry : public Registry {
public:
    explicit FakeRegistry(CallLog& log) : m_log(log) {}

    // Creates the key (empty) if needed.
    void addKey(RootKey root, const std::string& path);
    // Creates the key if needed and sets the value.
    void setValue(RootKey root, const std::string& path, const std::string& name,
                  RegistryValue value);
    void setText(RootKey root, const std::string& path, const std::string& name,
                 const std::string& text); // REG_SZ with its terminating zero
    void setDword(RootKey root, const std::string& path, const std::string& name,
                  std::uint32_t number);
    void removeKey(RootKey root, const std::string& path);

    // Keys opened and not yet closed.
    int openKeys() const { return *m_openKeys; }

    std::unique_ptr<RegistryKey> openKey(RootKey root, const std::string& path) override;

private:
    using Values = std::map<std::string, RegistryValue>;
    static std::string fold(RootKey root, const std::string& path);
    CallLog& m_log;
    std::map<std::string, std::shared_ptr<Values>> m_keys; // by folded root and path
    std::shared_ptr<int> m_openKeys = std::make_shared<int>(0);
};

} // namespace platform
