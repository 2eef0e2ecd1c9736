#include "i18n/AnsiText.h"

#include <windows.h>

namespace i18n {

std::string ansiUpper(std::string_view text)
{
    std::string out(text);
    if (!out.empty())
        CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

bool sameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ansiUpper(a) == ansiUpper(b);
}

char decimalSeparator()
{
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) < 2)
        return '.';
    return buffer[0];
}

} // namespace i18n
