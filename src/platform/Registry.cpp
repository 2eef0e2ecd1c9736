#include "platform/Registry.h"

namespace platform {

std::optional<std::string> textValue(const std::optional<RegistryValue>& value)
{
    if (!value || (value->type != ValueType::Text && value->type != ValueType::ExpandText))
        return std::nullopt;
    // Stored text normally ends in a zero byte, but the registry does not enforce it.
    const std::string& data = value->data;
    return data.substr(0, data.find('\0'));
}

std::optional<std::uint32_t> dwordValue(const std::optional<RegistryValue>& value)
{
    if (!value || value->type != ValueType::Dword || value->data.size() != 4)
        return std::nullopt;
    std::uint32_t result = 0;
    for (int i = 3; i >= 0; --i)
        result =
            (result << 8) | static_cast<unsigned char>(value->data[static_cast<std::size_t>(i)]);
    return result;
}

std::string describeKey(RootKey root, std::string_view path)
{
    std::string text = root == RootKey::LocalMachine  ? "HKLM\\"
                       : root == RootKey::CurrentUser ? "HKCU\\"
                                                      : "HKLM32\\";
    text += path;
    return text;
}

} // namespace platform
