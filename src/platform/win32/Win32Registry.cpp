#include "platform/win32/Win32Registry.h"

#include "base/win32/Handles.h"

#include <vector>

namespace platform {

using base::win32::UniqueRegistryKey;

namespace {

class Win32Key : public RegistryKey {
public:
    explicit Win32Key(UniqueRegistryKey key) : m_key(std::move(key)) {}

    std::optional<RegistryValue> readValue(const std::string& name) override
    {
        // The value may change between asking its size and reading it; ask again then.
        DWORD size = 0;
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD type = REG_NONE;
            LONG status =
                RegQueryValueExA(m_key.get(), name.c_str(), nullptr, &type, nullptr, &size);
            if (status != ERROR_SUCCESS)
                return std::nullopt;
            std::vector<BYTE> bytes(size + 1);
            DWORD got = size;
            status =
                RegQueryValueExA(m_key.get(), name.c_str(), nullptr, &type, bytes.data(), &got);
            if (status == ERROR_MORE_DATA)
                continue;
            if (status != ERROR_SUCCESS)
                return std::nullopt;
            RegistryValue value;
            value.type = static_cast<ValueType>(type);
            value.data.assign(reinterpret_cast<const char*>(bytes.data()), got);
            return value;
        }
        return std::nullopt;
    }

private:
    UniqueRegistryKey m_key;
};

} // namespace

std::unique_ptr<RegistryKey> Win32Registry::openKey(RootKey root, const std::string& path)
{
    HKEY rootKey = root == RootKey::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    REGSAM access = KEY_READ;
    if (root == RootKey::LocalMachine32)
        access |= KEY_WOW64_32KEY;
    UniqueRegistryKey key;
    if (RegOpenKeyExA(rootKey, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32Key>(std::move(key));
}

} // namespace platform
