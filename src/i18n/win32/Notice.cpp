#include "i18n/Notice.h"

#include <windows.h>

namespace i18n {

void showPlatformNotice(const std::string& text)
{
    // A plain box: no icon, the application's title as caption.
    char title[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, title, sizeof title);
    std::string caption = title;
    auto slash = caption.find_last_of("\\/");
    if (slash != std::string::npos)
        caption.erase(0, slash + 1);
    auto dot = caption.rfind('.');
    if (dot != std::string::npos)
        caption.erase(dot);
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

} // namespace i18n
