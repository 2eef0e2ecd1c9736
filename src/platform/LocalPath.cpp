#include "platform/LocalPath.h"

#include <array>

namespace platform {

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsUpper(std::string_view text, std::string_view upperName)
{
    if (text.size() != upperName.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (upper(text[i]) != upperName[i])
            return false;
    return true;
}

// The names Windows takes for devices wherever they stand in a path, whatever extension
// follows them; COM and LPT also with the superscript digits of Windows-1252.
bool isDeviceName(std::string_view part)
{
    // What the system compares: the part up to its first dot or colon, without trailing
    // blanks.
    part = part.substr(0, part.find_first_of(".:"));
    while (!part.empty() && part.back() == ' ')
        part.remove_suffix(1);
    static constexpr std::array<std::string_view, 7> plain = {
        "CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$",
    };
    for (std::string_view name : plain)
        if (equalsUpper(part, name))
            return true;
    if (part.size() == 4 &&
        (equalsUpper(part.substr(0, 3), "COM") || equalsUpper(part.substr(0, 3), "LPT"))) {
        const auto digit = static_cast<unsigned char>(part[3]);
        return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

bool hasDevicePart(std::string_view path)
{
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        if (isDeviceName(path.substr(start, end - start)))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

bool isLocalFilePath(std::string_view path)
{
    if (path.empty())
        return false;
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20)
            return false;

    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        // Of all the paths that begin with two separators, only the long form of a drive
        // path stays on this computer: "\\?\C:\..." exactly, with backslashes.
        constexpr std::string_view longPrefix = "\\\\?\\";
        if (path.size() < longPrefix.size() + 3 || path.substr(0, longPrefix.size()) != longPrefix)
            return false;
        std::string_view drive = path.substr(longPrefix.size());
        if (!isAsciiLetter(drive[0]) || drive[1] != ':' || drive[2] != '\\')
            return false;
        return !hasDevicePart(drive.substr(3));
    }
    // "\??\..." hands the rest to the object manager as it stands, "\??\UNC\host" included.
    if (path.size() >= 3 && isSeparator(path[0]) && path[1] == '?' && path[2] == '?' &&
        (path.size() == 3 || isSeparator(path[3])))
        return false;

    // "C:con" is the device as much as "con" is.
    std::string_view rest = path;
    if (rest.size() >= 2 && isAsciiLetter(rest[0]) && rest[1] == ':')
        rest.remove_prefix(2);
    return !hasDevicePart(rest);
}

} // namespace platform
