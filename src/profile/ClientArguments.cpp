#include "profile/ClientArguments.h"

namespace profile {

namespace {

bool isBlank(unsigned char c)
{
    return c == ' ' || c == 0xA0;
}

} // namespace

bool fitsClientCommand(std::string_view value, ClientField field)
{
    // Each value follows a blank or a "/" in the command, so a "/" at its start is a switch.
    bool afterBlank = true;
    for (char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || c == '"')
            return false;
        if (c == '/' && afterBlank)
            return false;
        if (isBlank(c) && field == ClientField::Address)
            return false;
        afterBlank = isBlank(c);
    }
    return true;
}

} // namespace profile
