#pragma once

#include <algorithm>
#include <cctype>
#include <string>

namespace platform {

// ASCII lower case, for the fakes' matching without regard to letter case.
inline std::string foldCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace platform
