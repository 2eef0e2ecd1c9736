#pragma once
// What one SetTheHook starts: the hook thread, and a watch thread beside it that reads the
// profile again when it changes and starts the hook thread again should it ever end. The
// watch thread does everything that may block (file access, waiting for a thread), so that
// the hook thread never does.
//
// The profile is read again when its folder reports a change of it: at once for the first
// report after a quiet spell, and once more when reports follow within kSettle, after they
// have been quiet for kSettle (at most kMaxSettle after the first); and otherwise when its stamp
// changes (looked at every kPollInterval, for a profile that is a link into another folder or
// on a drive that reports no changes). A save that renames a new file over the profile fails
// while anyone holds the profile open (the store then tries again for a moment), so it is
// opened as seldom and as briefly as this allows: never for the stamp of a plain file.

#include "hotkeys/KeySource.h"
#include "hotkeys/win32/HookThread.h"

#include <windows.h>

#include <memory>
#include <string>

namespace hotkeys::win32 {

class HookSession {
public:
    static constexpr DWORD kPollInterval = 1000;
    static constexpr DWORD kSettle = 50;
    static constexpr DWORD kMaxSettle = 500;

    // Reads the hotkeys of `profilePath`, installs the hook for `window` and starts watching.
    // Nothing when the hook could not be installed.
    static std::unique_ptr<HookSession> start(HWND window, std::string profilePath);

    // Ends both threads and returns once they have ended.
    ~HookSession();
    HookSession(const HookSession&) = delete;
    HookSession& operator=(const HookSession&) = delete;

private:
    HookSession(HWND window, std::string profilePath);
    static DWORD WINAPI watchMain(void* self);
    void watch();
    void refresh(KeySource::Refresh how);
    void restartHook();

    HWND m_window;
    KeySource m_keys;
    std::unique_ptr<HookThread> m_hook;
    KernelHandle m_stop;
    KernelHandle m_thread;
};

// The stamp of the file at `path` (following links), or one that says it does not exist.
FileStamp fileStamp(const std::string& path);

} // namespace hotkeys::win32
