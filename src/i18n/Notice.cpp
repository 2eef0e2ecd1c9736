#include "i18n/Notice.h"

#include <mutex>
#include <utility>

namespace i18n {

namespace {

std::mutex g_noticeMutex;
NoticeHandler g_handler;

} // namespace

void showNotice(const std::string& text)
{
    NoticeHandler handler;
    {
        std::lock_guard lock(g_noticeMutex);
        handler = g_handler;
    }
    try {
        if (handler)
            handler(text);
        else
            showPlatformNotice(text);
    } catch (...) {
        // A notice is shown from destructors; it must not end the program.
    }
}

ScopedNoticeHandler::ScopedNoticeHandler(NoticeHandler handler)
{
    std::lock_guard lock(g_noticeMutex);
    m_previous = std::exchange(g_handler, std::move(handler));
}

ScopedNoticeHandler::~ScopedNoticeHandler()
{
    std::lock_guard lock(g_noticeMutex);
    g_handler = std::move(m_previous);
}

} // namespace i18n
