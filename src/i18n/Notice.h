#pragma once
// Plain notices that a non-visual part of the localization shows on its own, such as the
// language-file reader's "File ... is read-only" when it is released. The program shows them
// in a plain message box; a test catches them with ScopedNoticeHandler.

#include <functional>
#include <string>

namespace i18n {

using NoticeHandler = std::function<void(const std::string& text)>;

// Shows `text` through the current handler. Never throws.
void showNotice(const std::string& text);

// Routes notices to `handler` for its lifetime, then restores the previous handler.
class ScopedNoticeHandler {
public:
    explicit ScopedNoticeHandler(NoticeHandler handler);
    ~ScopedNoticeHandler();
    ScopedNoticeHandler(const ScopedNoticeHandler&) = delete;
    ScopedNoticeHandler& operator=(const ScopedNoticeHandler&) = delete;

private:
    NoticeHandler m_previous;
};

// The handler used when none is set: a message box in the Windows build, standard error in
// the native one.
void showPlatformNotice(const std::string& text);

} // namespace i18n
