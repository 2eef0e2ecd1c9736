#include "ui/Text.h"

#include <utility>

namespace ui {

namespace {

char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

FrameworkTextLoader& installedLoader()
{
    static FrameworkTextLoader loader;
    return loader;
}

std::string replaceFirstPlaceholder(std::string_view pattern, std::string_view arg)
{
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] == '%' && (pattern[i + 1] == 's' || pattern[i + 1] == 'd')) {
            std::string out(pattern.substr(0, i));
            out += arg;
            out += pattern.substr(i + 2);
            return out;
        }
    }
    return std::string(pattern);
}

} // namespace

bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upperAscii(a[i]) != upperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string upperCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        c = upperAscii(c);
    }
    return out;
}

std::string formatText(std::string_view pattern, std::string_view arg)
{
    return replaceFirstPlaceholder(pattern, arg);
}

std::string formatText(std::string_view pattern, std::int64_t arg)
{
    return replaceFirstPlaceholder(pattern, std::to_string(arg));
}

ListIndexError::ListIndexError(std::int64_t index)
    : Error(formatText(frameworkText(SListIndexError), index))
{
}

std::string builtInFrameworkText(std::uint32_t id)
{
    switch (id) {
    case SInvalidComponentName: return "'%s' is not a valid component name";
    case SDuplicateComponentName: return "A component named %s already exists";
    case SImageTooLarge: return "Not enough memory for an image of %s pixels";
    case SListIndexError: return "List index out of bounds (%d)";
    case SInvalidPropertyElement: return "Invalid property element: %s";
    default: return {};
    }
}

FrameworkTextLoader setFrameworkTextLoader(FrameworkTextLoader loader)
{
    return std::exchange(installedLoader(), std::move(loader));
}

std::string frameworkText(std::uint32_t id)
{
    const std::string builtIn = builtInFrameworkText(id);
    const FrameworkTextLoader& loader = installedLoader();
    return loader ? loader(id, builtIn) : builtIn;
}

} // namespace ui
