#include "platform/win32/Win32VersionReader.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace platform {

namespace {

// Paths inside the version resource; never translated.
constexpr char kFileVersionKey[] = "\\StringFileInfo\\040904E4\\FileVersion";
constexpr char kLegalCopyrightKey[] = "\\StringFileInfo\\040904E4\\LegalCopyright";
constexpr char kProductNameKey[] = "\\StringFileInfo\\040904E4\\ProductName";

std::optional<std::string> queryString(std::vector<char>& block, const char* key)
{
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), key, &value, &length) || value == nullptr)
        return std::nullopt;
    // The length counts characters with the terminating zero, which a damaged resource may
    // lack; never read past it.
    const char* text = static_cast<const char*>(value);
    return std::string(text, strnlen(text, length));
}

} // namespace

VersionStrings Win32VersionReader::read(const std::string& path)
{
    VersionStrings strings;
    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
    strings.resourceSize = size;
    if (size == 0)
        return strings;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return strings;
    strings.fileVersion = queryString(block, kFileVersionKey);
    strings.legalCopyright = queryString(block, kLegalCopyrightKey);
    strings.productName = queryString(block, kProductNameKey);
    return strings;
}

} // namespace platform
