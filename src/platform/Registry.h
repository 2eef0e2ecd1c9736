#pragma once
// Read-only access to the Windows registry. Keys are opened for reading and never created;
// values come back raw (type and bytes) so that the checks on their type live in portable code
// (textValue, dwordValue below) and are the same for the real registry and the fake.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// LocalMachine32 is HKEY_LOCAL_MACHINE as 32-bit programs see it (KEY_WOW64_32KEY): on
// 64-bit Windows a 64-bit program sees a view of its own under LocalMachine; for a 32-bit
// program the two are the same.
enum class RootKey { LocalMachine, CurrentUser, LocalMachine32 };

// The registry's value types, with the numbers the registry gives them.
enum class ValueType : std::uint32_t {
    None = 0,
    Text = 1,       // REG_SZ
    ExpandText = 2, // REG_EXPAND_SZ
    Binary = 3,     // REG_BINARY
    Dword = 4,      // REG_DWORD, little-endian
    DwordBigEndian = 5,
    Link = 6,
    MultiText = 7, // REG_MULTI_SZ
    Qword = 11,    // REG_QWORD
};

struct RegistryValue {
    ValueType type = ValueType::None;
    std::string data; // the value's bytes as stored, terminating zeros included
};

// An open key. Destroying it closes the key.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // The value of that name ("" is the key's default value), or empty when it does not exist
    // or cannot be read.
    virtual std::optional<RegistryValue> readValue(const std::string& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key for reading (KEY_READ); nullptr when it does not exist or may not
    // be read. The key is never created.
    virtual std::unique_ptr<RegistryKey> openKey(RootKey root, const std::string& path) = 0;
};

// A text value: REG_SZ or REG_EXPAND_SZ (environment references are left as they stand),
// up to its first zero byte. Any other type, or no value, gives empty.
std::optional<std::string> textValue(const std::optional<RegistryValue>& value);

// A 32-bit integer value: REG_DWORD with exactly four bytes. Any other type or size, or no
// value, gives empty.
std::optional<std::uint32_t> dwordValue(const std::optional<RegistryValue>& value);

// "HKLM\path", "HKCU\path" or "HKLM32\path", for logs and messages.
std::string describeKey(RootKey root, std::string_view path);

} // namespace platform
