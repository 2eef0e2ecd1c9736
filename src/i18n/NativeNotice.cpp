#include "i18n/Notice.h"

#include <cstdio>

namespace i18n {

void showPlatformNotice(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace i18n
